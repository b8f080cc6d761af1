#pragma once

#include "PellionUser.h"
#include "ProgramUnderTest.h"
#include "UserActions.h"

#include "platform/Clock.h"
#include "support/ServerSuite.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <memory>

namespace e2e {

// One private FreeRADIUS server for the suite, on 127.0.0.1 and ::1, over UDP, TCP and
// TLS (a throwaway PKI), with the EAP methods over TLS; a fresh installed program for each
// test. Tests skip when the server is not installed.
class E2eSuite : public testsupport::ServerSuite {
protected:
    static void SetUpTestSuite()
    {
        startServer(QStringLiteral("e2e-s3cret"),
                    [](testsupport::FreeRadiusServer &server, const testsupport::TestPki &pki) {
                        server.listenOnIpv6();
                        server.listenOverTcp();
                        server.addTlsListener({0, pki.certificate("server"), pki.key("server"), pki.caFile(), true});
                        server.setEapTls({pki.certificate("server"), pki.key("server"), pki.caFile()});
                    });
    }

    void SetUp() override
    {
        ServerSuite::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
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
    // Back to the system clock once Pellion, which reads it from its threads, has ended.
    struct ClockReset {
        ~ClockReset() { platform::Clock::setNow({}); }
    } clockReset;
    ProgramUnderTest program;
    std::unique_ptr<PellionUser> user;
};

} // namespace e2e
