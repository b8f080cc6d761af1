// The raw page's octets sent as they stand to a real FreeRADIUS server on 127.0.0.1:
// the server's answers prove the encoding, hiding and signing are the real thing.

#include "RawPacketServerFixture.h"

#include "support/UdpExchange.h"

namespace {

constexpr int kReplyTimeoutMs = 3000;

} // namespace

class RealServerTest : public RawPacketServerFixture<RealServerTest> {
public:
    static void addUsers(testsupport::FreeRadiusServer &server) { server.addStandardUsers(); }

protected:
    // The reply code to the first packet of the page, or 0 when none came.
    int replyCode(const QByteArray &script, const reports::RawPacketSettings &s, quint16 port)
    {
        const QList<QByteArray> sent = packets(page(script, s));
        EXPECT_EQ(sent.size(), 1) << script.constData();
        if (sent.isEmpty())
            return -1;
        const auto reply = testsupport::udpExchange(port, sent[0], kReplyTimeoutMs);
        if (!reply)
            return 0;
        EXPECT_EQ(reply->at(1), sent[0].at(1)) << "reply identifier";
        return quint8(reply->at(0));
    }
};

TEST_F(RealServerTest, AccessRequestsAreAcceptedForTheRightPassword)
{
    const reports::RawPacketSettings access = settings(1, 11, s_server->secret().toUtf8());
    struct Case {
        const char *name;
        QByteArray script;
        int expected;
    };
    const Case cases[] = {
        {"pap", "User-Name = bob\nUser-Password = hello\n", 2},
        {"pap with the wrong password", "User-Name = bob\nUser-Password = hellO\n", 3},
        {"chap", "User-Name = bob\nCHAP-Password = hello\n", 2},
        {"chap with the wrong password", "User-Name = bob\nCHAP-Password = nope\n", 3},
        {"message authenticator", "User-Name = bob\nUser-Password = hello\nMessage-Authenticator = 0x00\n", 2},
        {"vendor attributes",
         "User-Name = bob\nUser-Password = hello\nCisco-AVPair = \"shell:priv-lvl=15\"\nCisco-AVPair = \"a=b\"\n", 2},
    };
    for (const Case &c : cases)
        EXPECT_EQ(replyCode(c.script, access, s_server->authPort()), c.expected) << c.name;
}

TEST_F(RealServerTest, EapIdentityResponseIsChallenged)
{
    reports::RawPacketSettings eap = settings(1, 12, s_server->secret().toUtf8());
    eap.eapMode = true;
    // The server checks the Message-Authenticator of every EAP request before it answers.
    EXPECT_EQ(replyCode("User-Name = bob\nEAP-Code = Response\nEAP-Id = 1\nEAP-Type-Identity = bob\n", eap,
                        s_server->authPort()),
              11);
}

TEST_F(RealServerTest, AccountingAndDisconnectRequestsAreAnswered)
{
    const QByteArray secret = s_server->secret().toUtf8();
    EXPECT_EQ(replyCode("User-Name = bob\nAcct-Status-Type = Start\nAcct-Session-Id = \"abc-1\"\n",
                        settings(4, 13, secret), s_server->acctPort()),
              5);
    EXPECT_EQ(
        replyCode("User-Name = bob\nAcct-Session-Id = \"abc-1\"\n", settings(40, 14, secret), s_server->coaPort()), 41);
    // Signed with another secret, the same request is dropped: the server does check.
    EXPECT_EQ(
        replyCode("User-Name = bob\nAcct-Status-Type = Start\n", settings(4, 15, secret + "x"), s_server->acctPort()),
        0);
}
