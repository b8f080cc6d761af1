#pragma once

#include "RawPacketFixture.h"

#include "support/FreeRadiusServer.h"

// The raw page's fixture with a private FreeRADIUS server on 127.0.0.1 for the whole
// suite; Suite::addUsers(server) gives it its users. Skips where no server is installed.
template <typename Suite>
class RawPacketServerFixture : public RawPacketFixture {
protected:
    static void SetUpTestSuite()
    {
        RawPacketFixture::SetUpTestSuite();
        if (!testsupport::FreeRadiusServer::isInstalled())
            return;
        s_server = new testsupport::FreeRadiusServer;
        Suite::addUsers(*s_server);
        QString error;
        if (!s_server->start(&error)) {
            s_error = error;
            delete s_server;
            s_server = nullptr;
        }
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override
    {
        if (!testsupport::FreeRadiusServer::isInstalled())
            GTEST_SKIP() << "no FreeRADIUS server installed";
        ASSERT_NE(s_server, nullptr) << s_error.toStdString();
    }

    static inline testsupport::FreeRadiusServer *s_server = nullptr;
    static inline QString s_error;
};
