#include "RawPacketFixture.h"

#include "clients/ConsoleOutput.h"
#include "clients/EapConversation.h"
#include "clients/PacketScript.h"
#include "clients/PlainConversation.h"
#include "clients/RequestEncoder.h"
#include "radius/Crypto.h"

#include <ostream>

// The raw view shows the octets the client sends first: the same packet script, identifier
// and authenticator give the same request through both.

namespace {

const QByteArray kSecret = "testing123";
const QByteArray kReadAuthenticator = QByteArray::fromHex("f0e1d2c3b4a5968778695a4b3c2d1e0f");
constexpr int kId = 0x2c;

using Placement = radius::MessageAuthenticatorPlacement;

struct SameOctetsCase {
    const char *name;
    int code;
    bool eap;
    QByteArray script;
    Placement placement = Placement::First;
};

void PrintTo(const SameOctetsCase &c, std::ostream *os)
{
    *os << c.name;
}

class ClientOctets : public RawPacketFixture, public ::testing::WithParamInterface<SameOctetsCase> {
protected:
    // The first request of the script's first packet as the client encodes it.
    QByteArray clientOctets(const SameOctetsCase &c, const QByteArray &authenticator)
    {
        EXPECT_TRUE(dir.writeFile("script/client.txt", c.script));
        clients::PacketScript script;
        const std::string loaded = script.load(dir.filePath("script/client.txt").toStdString(), c.code, 1812);
        EXPECT_EQ(loaded, "");
        if (script.packets().empty())
            return {};
        const clients::PacketTemplate &packet = script.packets().front();
        std::unique_ptr<clients::Conversation> conversation;
        if (c.eap)
            conversation = std::make_unique<clients::EapConversation>(packet);
        else
            conversation = std::make_unique<clients::PlainConversation>(packet);
        clients::ConsoleOutput out;
        const auto outgoing = conversation->start(out);
        EXPECT_TRUE(outgoing.has_value());
        if (!outgoing)
            return {};
        const clients::RequestEncoder encoder(
            kSecret, [&] { return authenticator; }, c.placement);
        auto request = encoder.encode(*outgoing, kId);
        EXPECT_TRUE(request.ok()) << request.error().toStdString();
        return request ? request->octets() : QByteArray();
    }
};

TEST_P(ClientOctets, RawViewShowsWhatTheClientSends)
{
    const SameOctetsCase &c = GetParam();
    reports::RawPacketSettings s = settings(c.code, kId, kSecret, c.placement);
    s.eapMode = c.eap;
    const QList<QByteArray> raw = packets(page(c.script, s, kReadAuthenticator));
    ASSERT_EQ(raw.size(), 1);
    // The raw view draws the request's authenticator afresh as the MD5 of the read one.
    const QByteArray client = clientOctets(c, radius::Crypto::md5(kReadAuthenticator));
    EXPECT_EQ(raw.front().toHex().toStdString(), client.toHex().toStdString());
    ASSERT_GT(client.size(), 20);
    // Under the first placement every Access-Request opens with its Message-Authenticator.
    EXPECT_EQ(quint8(client[20]) == 80, c.code == 1 && c.placement == Placement::First);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, ClientOctets,
    ::testing::Values(
        SameOctetsCase{"Pap", 1, false, "User-Name = bob\nUser-Password = hello\nNAS-Port = 7\n"},
        SameOctetsCase{"Chap", 1, false, "User-Name = bob\nCHAP-Password = hello\n"},
        SameOctetsCase{"ChapWithChallenge", 1, false,
                       "User-Name = bob\nCHAP-Challenge = 0x0102030405060708\nCHAP-Password = hello\n"},
        SameOctetsCase{"EapMd5FirstMessage", 1, true,
                       "User-Name = bob\nEAP-Code = Response\nEAP-Id = 5\nEAP-Type-Identity = bob\n"
                       "EAP-MD5-Password = hello\n"},
        SameOctetsCase{"Accounting", 4, false,
                       "User-Name = bob\nAcct-Status-Type = Start\nAcct-Session-Id = \"s-1\"\n"
                       "Framed-IP-Address = 10.0.0.1\n"},
        SameOctetsCase{"Disconnect", 40, false, "User-Name = bob\nAcct-Session-Id = \"s-1\"\n"},
        SameOctetsCase{"VendorAttributes", 1, false,
                       "User-Name = bob\nUser-Password = hello\nCisco-AVPair = \"a=b\"\nCisco-AVPair = \"c=d\"\n"
                       "WISPr-Location-Name = \"here\"\n"},
        SameOctetsCase{"StatusServer", 12, false, "User-Name = bob\nNAS-Identifier = \"nas\"\n"},
        SameOctetsCase{"LegacyPap", 1, false, "User-Name = bob\nUser-Password = hello\n", Placement::Legacy},
        SameOctetsCase{"LegacyWrittenMessageAuthenticator", 1, false,
                       "User-Name = bob\nMessage-Authenticator = 0x00\nUser-Password = hello\n", Placement::Legacy},
        SameOctetsCase{"WrittenMessageAuthenticatorMovesFirst", 1, false,
                       "User-Name = bob\nUser-Password = hello\nMessage-Authenticator = 0x00\n"},
        SameOctetsCase{"LegacyEapMd5FirstMessage", 1, true,
                       "User-Name = bob\nEAP-Code = Response\nEAP-Id = 5\nEAP-Type-Identity = bob\n"
                       "EAP-MD5-Password = hello\n",
                       Placement::Legacy},
        SameOctetsCase{"PacketTypeInTheScript", 0, false,
                       "Packet-Type = Accounting-Request\nUser-Name = bob\nAcct-Status-Type = Stop\n"}),
    [](const ::testing::TestParamInfo<SameOctetsCase> &param) { return std::string(param.param.name); });

} // namespace
