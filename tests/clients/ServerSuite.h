#pragma once

#include "ClientRunner.h"
#include "support/FreeRadiusServer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// One private FreeRADIUS server for all tests of a suite; the tests skip when the
// server is not installed.
class ServerSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() { startServer(); }
    // A suite that needs users of its own starts the server with them from its SetUpTestSuite.
    static void startServer(const std::vector<testsupport::RadiusUser> &extraUsers = {})
    {
        if (!testsupport::FreeRadiusServer::isInstalled())
            return;
        s_server = std::make_unique<testsupport::FreeRadiusServer>();
        s_server->setSecret("s3cret");
        s_server->addStandardUsers();
        for (const auto &user : extraUsers)
            s_server->addUser(user);
        if (!s_server->start(&s_error))
            s_server.reset();
    }
    static void TearDownTestSuite() { s_server.reset(); }

    void SetUp() override
    {
        if (!testsupport::FreeRadiusServer::isInstalled())
            GTEST_SKIP() << "FreeRADIUS server not installed";
        ASSERT_TRUE(s_server) << s_error.toStdString();
    }

    static QString auth() { return QString("127.0.0.1:%1").arg(s_server->authPort()); }
    static QString acct() { return QString("127.0.0.1:%1").arg(s_server->acctPort()); }
    static QString coa() { return QString("127.0.0.1:%1").arg(s_server->coaPort()); }
    static QString secret() { return s_server->secret(); }

    static inline std::unique_ptr<testsupport::FreeRadiusServer> s_server;
    static inline QString s_error;
    ClientRunner m_runner;
};
