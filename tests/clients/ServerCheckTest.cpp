#include "ClientRunner.h"
#include "support/FreeRadiusServer.h"

#include <gtest/gtest.h>

#include <ostream>

// radclient -B against the private FreeRADIUS with require_message_authenticator off and on.

namespace {

struct CheckCase {
    const char *name;
    bool requireMessageAuthenticator;
    QStringList answers; // a line holding each
    const char *verdict; // the verdict line starts with this
    int exitCode;
};

void PrintTo(const CheckCase &c, std::ostream *os)
{
    *os << c.name;
}

class ServerCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(ServerCheck, ReportsEachProbeAndTheVerdict)
{
    if (!testsupport::FreeRadiusServer::isInstalled())
        GTEST_SKIP() << "FreeRADIUS server not installed";
    const CheckCase &c = GetParam();
    testsupport::FreeRadiusServer server;
    server.addStandardUsers();
    server.setRequireMessageAuthenticator(c.requireMessageAuthenticator);
    QString error;
    ASSERT_TRUE(server.start(&error)) << error.toStdString();
    ClientRunner runner;
    const QString address = QStringLiteral("127.0.0.1:%1").arg(server.authPort());
    // The secret from a file, as Pellion hands it over.
    ASSERT_TRUE(runner.dir().writeFile("secret", server.secret().toUtf8() + "\n"));
    const auto r =
        runner.runWords(ClientRunner::radclient(), {"-B", "-r", "0", "-t", "0.5", "-S", "secret", address, "-"});
    ASSERT_TRUE(r.finished);
    for (const QString &answer : c.answers)
        EXPECT_TRUE(r.hasLine(answer)) << answer.toStdString() << "\n" << r.text().toStdString();
    const QStringList verdicts = r.lines.filter(QStringLiteral("Verdict: "));
    ASSERT_EQ(verdicts.size(), 1) << r.text().toStdString();
    EXPECT_TRUE(verdicts.front().contains(QString::fromUtf8(c.verdict))) << verdicts.front().toStdString();
    EXPECT_EQ(r.exitCode, c.exitCode);
}

INSTANTIATE_TEST_SUITE_P(
    FreeRadius, ServerCheck,
    ::testing::Values(
        CheckCase{"RequireOff",
                  false,
                  {"Info: Access-Request without Message-Authenticator: answered with Access-Reject, the reply "
                   "carries no Message-Authenticator",
                   "Info: Access-Request with Proxy-State, without Message-Authenticator: answered with Access-Reject",
                   "require_message_authenticator = yes"},
                  "Warning: Verdict: exposed to CVE-2024-3596",
                  1},
        CheckCase{"RequireOn",
                  true,
                  {"Info: Access-Request without Message-Authenticator: no answer (dropped)",
                   "Info: Access-Request with Message-Authenticator first: answered with Access-Reject, the reply "
                   "carries no Message-Authenticator",
                   "Info: Access-Request with Proxy-State, without Message-Authenticator: no answer (dropped)"},
                  "Info: Verdict: requests protected",
                  0}),
    [](const ::testing::TestParamInfo<CheckCase> &param) { return std::string(param.param.name); });

} // namespace
