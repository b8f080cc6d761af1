#pragma once

#include "ClientRunner.h"
#include "support/FreeRadiusServer.h"
#include "support/TestPki.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// One private FreeRADIUS server and a throwaway PKI for all tests of a suite; the tests
// skip when the server is not installed.
class PkiServerSuite : public ::testing::Test {
protected:
    using Configure = std::function<void(testsupport::FreeRadiusServer &, const testsupport::TestPki &)>;

    // The PKI, then a server with the secret "s3cret" and the standard users, to which
    // `configure` adds what the suite needs before it starts.
    static void startServer(const Configure &configure)
    {
        if (!testsupport::FreeRadiusServer::isInstalled())
            return;
        s_pki = std::make_unique<testsupport::TestPki>();
        if (!s_pki->create(&s_error))
            return;
        s_server = std::make_unique<testsupport::FreeRadiusServer>();
        s_server->setSecret("s3cret");
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
        if (!testsupport::FreeRadiusServer::isInstalled())
            GTEST_SKIP() << "FreeRADIUS server not installed";
        ASSERT_TRUE(s_server) << s_error.toStdString();
    }

    static inline std::unique_ptr<testsupport::TestPki> s_pki;
    static inline std::unique_ptr<testsupport::FreeRadiusServer> s_server;
    static inline QString s_error;
    ClientRunner m_runner;
};
