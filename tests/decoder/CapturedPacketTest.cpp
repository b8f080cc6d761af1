// Packets the raw packet view wrote and the replies a real FreeRADIUS server on 127.0.0.1
// sent to them, decoded as a user would paste them.

#include "DecoderFixture.h"

#include "decoder/HexInput.h"
#include "reports/RawPacketServerFixture.h"
#include "support/UdpExchange.h"

#include <QRegularExpression>

using decoder::PacketDecoder;
using decoder::RequestContext;
using State = decoder::AuthenticatorCheck::State;

namespace {

// Access-Accept with tagged tunnel attributes, a hidden Tunnel-Password and a vendor attribute.
const testsupport::RadiusUser kTunnelUser{
    "tunnel", "Cleartext-Password := \"hello\"",
    "Tunnel-Type:1 = VLAN,\n\tTunnel-Medium-Type:1 = IEEE-802,\n\tTunnel-Private-Group-Id:1 = \"42\",\n"
    "\tTunnel-Password:1 = \"vlanpass\",\n\tCisco-AVPair = \"shell:priv-lvl=15\""};

class CapturedPacketTest : public RawPacketServerFixture<CapturedPacketTest> {
public:
    static void addUsers(testsupport::FreeRadiusServer &server)
    {
        server.addStandardUsers();
        server.addUser(kTunnelUser);
    }

protected:
    // The raw view's block of its first packet, as a user copies it from the page.
    QString firstBlock(const QByteArray &script, const reports::RawPacketSettings &s)
    {
        const QStringList lines = page(script, s);
        const qsizetype first = lines.indexOf(QRegularExpression("^Packet0 +:$"));
        EXPECT_GE(first, 0) << lines.join('\n').toStdString();
        return first < 0 ? QString() : lines.mid(first).join('\n');
    }

    struct Capture {
        QByteArray request;
        QByteArray reply;
    };
    Capture capture(const QByteArray &script, const reports::RawPacketSettings &s, quint16 port)
    {
        const auto request = decoder::HexInput::parse(firstBlock(script, s));
        EXPECT_TRUE(request.ok()) << request.error().toStdString();
        if (!request)
            return {};
        const auto reply = testsupport::udpExchange(port, *request);
        EXPECT_TRUE(reply.has_value()) << "no reply to " << script.constData();
        return {*request, reply.value_or(QByteArray())};
    }

    reports::RawPacketSettings serverSettings(int code, int startId, bool eap = false) const
    {
        reports::RawPacketSettings s = settings(code, startId, s_server->secret().toUtf8());
        s.eapMode = eap;
        return s;
    }
};

} // namespace

TEST_F(CapturedPacketTest, TheRawViewsRequestsDecodeWithTheirPasswords)
{
    const QByteArray secret = s_server->secret().toUtf8();
    const QString pap = firstBlock(
        "User-Name = tunnel\nUser-Password = hello\nMessage-Authenticator = 0x00\n"
        "Cisco-AVPair = \"a=b\"\n",
        serverSettings(1, 21));
    const auto papOctets = decoder::HexInput::parse(pap);
    ASSERT_TRUE(papOctets.ok()) << papOctets.error().toStdString();
    const decoder::DecodedPacket access = PacketDecoder(secret, std::nullopt).decode(*papOctets);
    EXPECT_EQ(access.codeName, "Access-Request");
    EXPECT_EQ(access.identifier, 21);
    EXPECT_EQ(access.messageAuthenticator.state, State::Valid);
    EXPECT_TRUE(access.faults.isEmpty()) << access.faults.join("; ").toStdString();
    QStringList pairs = pairsOf(access);
    pairs.replaceInStrings(QRegularExpression("^Message-Authenticator = 0x[0-9a-f]{32}$"), "Message-Authenticator");
    EXPECT_EQ(pairs,
              (QStringList{"User-Name = \"tunnel\"", "User-Password = \"hello\"", "Message-Authenticator",
                           "Cisco-AVPair = \"a=b\""}));

    const auto accounting = decoder::HexInput::parse(
        firstBlock("User-Name = bob\nAcct-Status-Type = Start\nAcct-Session-Id = \"s-1\"\n", serverSettings(4, 22)));
    ASSERT_TRUE(accounting.ok());
    EXPECT_EQ(PacketDecoder(secret, std::nullopt).decode(*accounting).packetAuthenticator.state, State::Valid);
    EXPECT_EQ(PacketDecoder(secret + "x", std::nullopt).decode(*accounting).packetAuthenticator.state, State::Invalid);
}

TEST_F(CapturedPacketTest, TheServersRepliesDecodeAndVerify)
{
    const QByteArray secret = s_server->secret().toUtf8();
    const Capture accept =
        capture("User-Name = tunnel\nUser-Password = hello\n", serverSettings(1, 31), s_server->authPort());
    const Capture challenge = capture("User-Name = bob\nEAP-Code = Response\nEAP-Id = 1\nEAP-Type-Identity = bob\n",
                                      serverSettings(1, 32, true), s_server->authPort());
    const Capture accounting =
        capture("User-Name = bob\nAcct-Status-Type = Start\n", serverSettings(4, 33), s_server->acctPort());
    ASSERT_FALSE(accept.reply.isEmpty() || challenge.reply.isEmpty() || accounting.reply.isEmpty());
    const auto request = [](const Capture &c) { return RequestContext::fromOctets(c.request); };

    QByteArray overrun = accept.reply;
    overrun[21] = char(0xff); // the first attribute's length
    struct Case {
        const char *label;
        QByteArray reply;
        std::optional<RequestContext> request;
        QByteArray secret;
        QString codeName;
        State response;
        State messageAuthenticator;
        QStringList faults; // patterns, each matching one fault in order
        QStringList pairs;
    };
    const Case cases[] = {
        {"accept",
         accept.reply,
         request(accept),
         secret,
         "Access-Accept",
         State::Valid,
         State::Absent,
         {},
         {"Tunnel-Type:1 = VLAN", "Tunnel-Medium-Type:1 = IEEE-802", "Tunnel-Private-Group-Id:1 = \"42\"",
          "Tunnel-Password:1 = \"vlanpass\"", "Cisco-AVPair = \"shell:priv-lvl=15\""}},
        {"accept, authenticator alone",
         accept.reply,
         RequestContext{accept.request.mid(4, 16), {}},
         secret,
         "Access-Accept",
         State::Valid,
         State::Absent,
         {},
         {"Tunnel-Password:1 = \"vlanpass\""}},
        // Without the request the hidden password stays hidden, and nothing is checked.
        {"accept, no request",
         accept.reply,
         std::nullopt,
         secret,
         "Access-Accept",
         State::NotChecked,
         State::Absent,
         {},
         {"Tunnel-Type:1 = VLAN", "Cisco-AVPair = \"shell:priv-lvl=15\""}},
        {"challenge",
         challenge.reply,
         request(challenge),
         secret,
         "Access-Challenge",
         State::Valid,
         State::Valid,
         {},
         {}},
        {"accounting response",
         accounting.reply,
         request(accounting),
         secret,
         "Accounting-Response",
         State::Valid,
         State::Absent,
         {},
         {}},
        {"challenge, wrong secret",
         challenge.reply,
         request(challenge),
         "wrong",
         "Access-Challenge",
         State::Invalid,
         State::Invalid,
         {},
         {}},
        {"accept, wrong secret",
         accept.reply,
         request(accept),
         "wrong",
         "Access-Accept",
         State::Invalid,
         State::Absent,
         {},
         {"Tunnel-Type:1 = VLAN"}},
        {"truncated",
         accept.reply.left(accept.reply.size() - 3),
         request(accept),
         secret,
         "Access-Accept",
         State::NotChecked,
         State::NotChecked,
         {QRegularExpression::escape(
              QString("Length field %1 is more than the %2 octets given: the packet is cut short")
                  .arg(accept.reply.size())
                  .arg(accept.reply.size() - 3)),
          "Offset \\d+: attribute \\d+ of length \\d+ runs 3 octets past the end of the packet"},
         {}},
        {"overrun",
         overrun,
         request(accept),
         secret,
         "Access-Accept",
         State::Invalid,
         State::Absent,
         {QString("Offset 20: attribute %1 of length 255 runs %2 octets past the end of the packet")
              .arg(quint8(accept.reply[20]))
              .arg(255 - (accept.reply.size() - 20))},
         {}},
    };
    for (const Case &c : cases) {
        const decoder::DecodedPacket decoded = PacketDecoder(c.secret, c.request).decode(c.reply);
        const std::string text = decoder::DecodeReportText::lines(decoded).join('\n').toStdString();
        EXPECT_EQ(decoded.codeName, c.codeName) << c.label;
        EXPECT_EQ(decoded.packetAuthenticator.state, c.response) << c.label << "\n" << text;
        EXPECT_EQ(decoded.messageAuthenticator.state, c.messageAuthenticator) << c.label << "\n" << text;
        ASSERT_EQ(decoded.faults.size(), c.faults.size()) << c.label << "\n" << text;
        for (qsizetype i = 0; i < c.faults.size(); ++i)
            EXPECT_TRUE(QRegularExpression(QRegularExpression::anchoredPattern(c.faults[i]))
                            .match(decoded.faults[i])
                            .hasMatch())
                << c.label << ": " << decoded.faults[i].toStdString();
        const QStringList pairs = pairsOf(decoded);
        for (const QString &pair : c.pairs)
            EXPECT_TRUE(pairs.contains(pair)) << c.label << ": no " << pair.toStdString() << "\n" << text;
    }
    // With the wrong secret the hidden password does not come out as it was.
    const QStringList wrong = pairsOf(PacketDecoder("wrong", request(accept)).decode(accept.reply));
    EXPECT_FALSE(wrong.contains("Tunnel-Password:1 = \"vlanpass\""));
}
