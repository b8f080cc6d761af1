#include "LoopbackPort.h"
#include "ServerSuite.h"

#include <QRegularExpression>

#include <ostream>

namespace {

class Radclient : public ServerSuite {
protected:
    ClientRunner::Result send(const QStringList &options, const QString &server, int code, const QByteArray &script,
                              const QString &secretText = {})
    {
        return m_runner.run(
            ClientRunner::radclient(),
            options + QStringList{server, QString::number(code), secretText.isEmpty() ? secret() : secretText}, script);
    }
};

const QByteArray kBobAndWrong =
    "User-Name = bob\r\nUser-Password = hello\r\n\r\n"
    "User-Name = bob\r\nUser-Password = wrong\r\n\r\n";

TEST_F(Radclient, PapAcceptsRightPasswordAndRejectsWrongOne)
{
    const auto r = send({"-sx", "-t", "3"}, auth(), 1, kBobAndWrong);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.text().toStdString();
    EXPECT_EQ(r.countContaining("Info: Sent Access-Request"), 2);
    EXPECT_EQ(r.countContaining("Info: Received Access-Accept"), 1);
    EXPECT_EQ(r.countContaining("Info: Received Access-Reject"), 1);
    EXPECT_EQ(r.total("sent"), 2);
    EXPECT_EQ(r.total("approved"), 1);
    EXPECT_EQ(r.total("denied"), 1);
    EXPECT_EQ(r.total("lost"), 0);
    EXPECT_TRUE(r.hasLine("Total time:"));
    EXPECT_TRUE(r.hasLine("Total response time (ms): min "));
    EXPECT_TRUE(r.allLinesEndInCrLf());
}

TEST_F(Radclient, AttributesShownWithXAndOnlyThen)
{
    const QByteArray bob = "User-Name = bob, User-Password = hello\r\n\r\n";
    const auto shown = send({"-sx"}, auth(), 1, bob);
    EXPECT_TRUE(shown.hasLine("\tUser-Name = \"bob\"")) << shown.text().toStdString();
    EXPECT_TRUE(shown.hasLine("\tReply-Message = \"Hello, bob\""));
    const auto quiet = send({"-s"}, auth(), 1, bob);
    EXPECT_EQ(quiet.total("approved"), 1);
    EXPECT_FALSE(quiet.hasLine("User-Name"));
    EXPECT_FALSE(quiet.hasLine("Reply-Message"));
}

TEST_F(Radclient, DigestAttributesTravelFoldedIntoDigestAttributes)
{
    const auto r = send({"-sx"}, auth(), 1,
                        "User-Name = bob\r\nUser-Password = hello\r\nDigest-Realm = r\r\nDigest-Method = GET\r\n\r\n");
    EXPECT_TRUE(r.hasLine("\tDigest-Attributes = 0x010372")) << r.text().toStdString();
    EXPECT_TRUE(r.hasLine("\tDigest-Attributes = 0x0305474554"));
    EXPECT_FALSE(r.hasLine("Digest-Realm"));
    EXPECT_EQ(r.total("approved"), 1);
}

TEST_F(Radclient, SummaryOnlyWithS)
{
    const auto r = send({"-x"}, auth(), 1, kBobAndWrong);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.countContaining("Total"), 0) << r.text().toStdString();
}

struct ExchangeCase {
    const char *name;
    int code;
    char listener; // 'a' auth, 'c' acct, 'd' CoA/Disconnect
    QByteArray script;
    const char *reply;
    int approved;
    int denied;
};

void PrintTo(const ExchangeCase &c, std::ostream *os)
{
    *os << c.name;
}

class RadclientExchange : public Radclient, public ::testing::WithParamInterface<ExchangeCase> {};

TEST_P(RadclientExchange, GetsTheExpectedReply)
{
    const ExchangeCase &c = GetParam();
    const QString server = c.listener == 'a' ? auth() : c.listener == 'c' ? acct() : coa();
    const auto r = send({"-sx", "-r", "1", "-t", "3"}, server, c.code, c.script);
    ASSERT_TRUE(r.finished);
    EXPECT_TRUE(r.hasLine(QString("Info: Received %1 Id").arg(c.reply))) << r.text().toStdString();
    EXPECT_EQ(r.total("approved"), c.approved);
    EXPECT_EQ(r.total("denied"), c.denied);
    EXPECT_EQ(r.total("lost"), 0);
    EXPECT_FALSE(r.hasLine("Warning:"));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, RadclientExchange,
    ::testing::Values(
        ExchangeCase{"ChapAccept", 1, 'a', "User-Name = bob\r\nCHAP-Password = hello\r\n\r\n", "Access-Accept", 1, 0},
        ExchangeCase{"ChapReject", 1, 'a', "User-Name = bob\r\nCHAP-Password = nope\r\n\r\n", "Access-Reject", 0, 1},
        ExchangeCase{"UnknownUserRejected", 1, 'a', "User-Name = nobody\r\nUser-Password = x\r\n\r\n", "Access-Reject",
                     0, 1},
        ExchangeCase{"Accounting", 4, 'c',
                     "User-Name = bob\r\nAcct-Status-Type = Start\r\nAcct-Session-Id = 42\r\n\r\n",
                     "Accounting-Response", 1, 0},
        ExchangeCase{"StatusServer", 12, 'a', "NAS-Identifier = probe\r\n\r\n", "Access-Accept", 1, 0},
        ExchangeCase{"Disconnect", 40, 'd', "User-Name = bob\r\nAcct-Session-Id = 42\r\n\r\n", "Disconnect-ACK", 1, 0},
        ExchangeCase{"PacketTypeOverridesCode", 1, 'c',
                     "Packet-Type = Accounting-Request\r\nUser-Name = bob\r\nAcct-Status-Type = Stop\r\n\r\n",
                     "Accounting-Response", 1, 0},
        ExchangeCase{"NoCodeButPacketType", -1, 'c',
                     "Packet-Type = Accounting-Request\r\nUser-Name = bob\r\nAcct-Status-Type = Start\r\n\r\n",
                     "Accounting-Response", 1, 0}),
    [](const ::testing::TestParamInfo<ExchangeCase> &param) { return std::string(param.param.name); });

TEST_F(Radclient, WrongSecretWarnsAndLosesTheRequest)
{
    // The server drops a request whose Message-Authenticator does not verify, so only a
    // legacy request (-M) draws a reply that the client can find wrong.
    for (const bool legacy : {true, false}) {
        const QStringList options =
            legacy ? QStringList{"-M", "-s", "-r", "1", "-t", "0.5"} : QStringList{"-s", "-r", "1", "-t", "0.5"};
        const auto r = send(options, auth(), 1, "User-Name = bob\r\nUser-Password = hello\r\n\r\n", "not-the-secret");
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.hasLine("does not verify (wrong shared secret?)"), legacy) << r.text().toStdString();
        EXPECT_EQ(r.countContaining("Error: No reply"), 1);
        EXPECT_EQ(r.total("approved"), 0);
        EXPECT_EQ(r.total("lost"), 1);
        EXPECT_EQ(r.exitCode, 1);
    }
}

TEST_F(Radclient, NoServerListeningRetriesThenLosesWithinTheTimeAllowed)
{
    // A port that is bound but never read: nothing answers, nothing is refused.
    const LoopbackPort port(SOCK_DGRAM);
    ASSERT_TRUE(port.isBound());
    const QString silent = port.address();

    const auto r = send({"-s", "-r", "2", "-t", "0.4"}, silent, 1,
                        "User-Name = bob\r\nUser-Password = hello\r\n\r\nUser-Name = eve\r\n\r\n");
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.countContaining("Warning: No reply"), 4) << r.text().toStdString();
    EXPECT_EQ(r.countContaining("Error: No reply"), 2);
    EXPECT_EQ(r.total("lost"), 2);
    EXPECT_EQ(r.exitCode, 1);
    // Three sends of 0.4 s each, the two packets one after the other: 2.4 s and start-up.
    EXPECT_GE(r.seconds, 2.3);
    EXPECT_LT(r.seconds, 10.0);
}

TEST_F(Radclient, IdentifiersCountOnFromIModulo256)
{
    const QByteArray three =
        "User-Name = bob\r\nUser-Password = hello\r\n\r\n"
        "User-Name = bob\r\nUser-Password = hello\r\n\r\n"
        "User-Name = bob\r\nUser-Password = hello\r\n\r\n";
    const auto r = send({"-s", "-i", "254"}, auth(), 1, three);
    QStringList ids;
    const QRegularExpression sent("^Info: Sent Access-Request Id (\\d+) ");
    for (const QString &line : r.lines)
        if (auto m = sent.match(line); m.hasMatch())
            ids << m.captured(1);
    EXPECT_EQ(ids, (QStringList{"254", "255", "0"})) << r.text().toStdString();
    EXPECT_EQ(r.total("approved"), 3);
}

TEST_F(Radclient, RepeatSendsTheListThatManyTimes)
{
    const auto r = send({"-s", "-c", "3"}, auth(), 1, kBobAndWrong);
    EXPECT_EQ(r.countContaining("Info: Sent Access-Request"), 6);
    EXPECT_EQ(r.total("sent"), 6);
    EXPECT_EQ(r.total("approved"), 3);
    EXPECT_EQ(r.total("denied"), 3);
}

TEST_F(Radclient, ParallelCountsRequestsAcrossRepeats)
{
    // One packet repeated: all -p requests go out before the first reply is read.
    const auto r = send({"-s", "-c", "40", "-p", "16"}, auth(), 1, "User-Name = bob\r\nUser-Password = hello\r\n\r\n");
    int sentBeforeReply = 0;
    for (const QString &line : r.lines) {
        if (line.contains("Received"))
            break;
        sentBeforeReply += line.contains("Info: Sent") ? 1 : 0;
    }
    EXPECT_EQ(sentBeforeReply, 16) << r.text().toStdString();
    EXPECT_EQ(r.total("approved"), 40);
}

TEST_F(Radclient, ManyRequestsInParallelAllAnswered)
{
    // 2000 requests through 256 identifiers with 64 in flight.
    const auto r = send({"-s", "-c", "1000", "-p", "64", "-t", "5"}, auth(), 1, kBobAndWrong);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.lines.mid(r.lines.size() - 12).join("\n").toStdString();
    EXPECT_EQ(r.total("sent"), 2000);
    EXPECT_EQ(r.total("approved"), 1000);
    EXPECT_EQ(r.total("denied"), 1000);
    EXPECT_EQ(r.total("lost"), 0);
    EXPECT_EQ(r.countContaining("Warning:"), 0);
    EXPECT_TRUE(r.allLinesEndInCrLf());
}

TEST_F(Radclient, RateHoldsRequestsBack)
{
    // 20 requests at 40 per second cannot take less than 19 / 40 s.
    const auto r =
        send({"-s", "-c", "20", "-n", "40", "-p", "8"}, auth(), 1, "User-Name = bob\r\nUser-Password = hello\r\n\r\n");
    EXPECT_EQ(r.total("approved"), 20);
    const QRegularExpression time("^Total time: ([0-9.]+) s");
    double elapsed = 0;
    for (const QString &line : r.lines)
        if (auto m = time.match(line); m.hasMatch())
            elapsed = m.captured(1).toDouble();
    EXPECT_GE(elapsed, 19.0 / 40.0) << r.text().toStdString();
}

} // namespace
