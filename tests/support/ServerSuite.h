#pragma once

#include "support/FreeRadiusServer.h"
#include "support/TestPki.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace testsupport {

// One private FreeRADIUS server and a throwaway PKI for all tests of a suite; the tests
// skip when the server is not installed.
class ServerSuite : public ::testing::Test {
protected:
    using Configure = std::function<void(FreeRadiusServer &, const TestPki &)>;

    // The PKI, then a server with the secret and the standard users, to which `configure`
    // adds what the suite needs before it starts.
    static void startServer(const QString &secret, const Configure &configure)
    {
        if (!FreeRadiusServer::isInstalled())
            return;
        s_pki = std::make_unique<TestPki>();
        if (!s_pki->create(&s_error))
            return;
        s_server = std::make_unique<FreeRadiusServer>();
        s_server->setSecret(secret);
        s_server->addStandardUsers();
        configure(*s_server, *s_pki);
        if (!s_server->start(&s_error))
            s_server.reset();
    }
    static void TearDownTestSuite()
    {
        s_server.reset();
        s_pki.reset();
    }

    void SetUp() override
    {
        if (!FreeRadiusServer::isInstalled())
            GTEST_SKIP() << "FreeRADIUS server not installed";
        ASSERT_TRUE(s_server) << s_error.toStdString();
    }

    static inline std::unique_ptr<TestPki> s_pki;
    static inline std::unique_ptr<FreeRadiusServer> s_server;
    static inline QString s_error;
};

} // namespace testsupport
