#pragma once

#include "PellionUser.h"
#include "ProgramUnderTest.h"
#include "UserActions.h"

#include "platform/Clock.h"
#include "support/FreeRadiusServer.h"
#include "support/TestPki.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <memory>

namespace e2e {

// One private FreeRADIUS server for the suite, on 127.0.0.1 and ::1, over UDP, TCP and TLS
// (a throwaway PKI), with the EAP methods over TLS; a fresh installed program for each test. Tests skip when the server
// is not installed.
class E2eSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!testsupport::FreeRadiusServer::isInstalled())
            return;
        s_pki = std::make_unique<testsupport::TestPki>();
        if (!s_pki->create(&s_error))
            return;
        s_server = std::make_unique<testsupport::FreeRadiusServer>();
        s_server->setSecret(QStringLiteral("e2e-s3cret"));
        s_server->addStandardUsers();
        s_server->listenOnIpv6();
        s_server->listenOverTcp();
        s_server->addTlsListener({0, s_pki->certificate("server"), s_pki->key("server"), s_pki->caFile(), true});
        s_server->setEapTls({s_pki->certificate("server"), s_pki->key("server"), s_pki->caFile()});
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
        ASSERT_TRUE(program.clientsInstalled())
            << "our clients could not be copied into " << program.dir.path().toStdString();
    }

    // Starts Pellion and puts a user in front of it.
    ::testing::AssertionResult startPellion()
    {
        QString error;
        if (!program.startPellion(&error))
            return ::testing::AssertionFailure() << "Pellion did not start: " << error.toStdString();
        user = std::make_unique<PellionUser>(program.main(), program.dialogs);
        return ::testing::AssertionSuccess();
    }

    // "Now" stands still from here on unless the test moves it, so run times are known.
    static void freezeClock() { platform::Clock::setNow(QDateTime(QDate(2026, 3, 10), QTime(9, 0, 0))); }

    static testsupport::FreeRadiusServer &server() { return *s_server; }
    static const testsupport::TestPki &pki() { return *s_pki; }

    static inline std::unique_ptr<testsupport::TestPki> s_pki;
    static inline std::unique_ptr<testsupport::FreeRadiusServer> s_server;
    static inline QString s_error;
    // Back to the system clock once Pellion, which reads it from its threads, has ended.
    struct ClockReset {
        ~ClockReset() { platform::Clock::setNow({}); }
    } clockReset;
    ProgramUnderTest program;
    std::unique_ptr<PellionUser> user;
};

} // namespace e2e
