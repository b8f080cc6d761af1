#include "DecoderFixture.h"

#include "radius/RequestPacket.h"

using decoder::AuthenticatorCheck;
using decoder::PacketDecoder;
using decoder::RequestContext;
using State = AuthenticatorCheck::State;

namespace {

const QByteArray Secret = "testing123";
const QByteArray RequestVector = QByteArray::fromHex("00112233445566778899aabbccddeeff");
const QByteArray MessageAuthenticator = QByteArray::fromHex("5012") + QByteArray(16, '\0');

class PacketDecoderTest : public DecoderFixture {
protected:
    // A request encoded and signed by the library.
    static QByteArray request(unsigned code, const QString &pairs, const QByteArray &secret = Secret)
    {
        radius::RequestPacket packet(radius::RequestPacket::Authenticator::Zero);
        packet.setCode(code);
        packet.setId(7);
        packet.setAuthenticator(RequestVector);
        auto parsed = radius::PairList::parse(pairs);
        EXPECT_TRUE(parsed.ok()) << parsed.error().toStdString();
        packet.pairs() = std::move(*parsed);
        auto encoded = packet.encode(secret);
        EXPECT_TRUE(encoded.ok()) << encoded.error().toStdString();
        return encoded.ok() ? *encoded : QByteArray();
    }
};

} // namespace

// Each fault of the packet's shape is named once, and what can be read around it is.
TEST_F(PacketDecoderTest, FaultsOfTheShapeAreNamed)
{
    const QByteArray vector(16, '\x5a');
    const QByteArray bob = QByteArray::fromHex("0105626f62");
    struct Case {
        const char *label;
        QByteArray octets;
        QString fault;
        QStringList pairs;
    };
    const Case cases[] = {
        {"short", QByteArray::fromHex("01070014"), "4 octets, fewer than the 20 of the RADIUS header", {}},
        {"length below the header",
         header(1, 7, 16, vector) + bob,
         "Length field 16 is below the 20-octet header",
         {"User-Name = \"bob\""}},
        {"cut short",
         header(1, 7, 32, vector) + bob,
         "Length field 32 is more than the 25 octets given: the packet is cut short",
         {"User-Name = \"bob\""}},
        {"trailing octets",
         packet(1, 7, vector, bob) + QByteArray::fromHex("0000"),
         "2 trailing octets after the length field's 25",
         {"User-Name = \"bob\""}},
        {"zero length",
         packet(1, 7, vector, QByteArray::fromHex("0100") + bob),
         "Offset 20: attribute 1 has the length 0, below the 2 octets of its type and length; nothing after it can "
         "be read",
         {}},
        {"empty value",
         packet(1, 7, vector, QByteArray::fromHex("0102") + bob),
         "Offset 20: attribute 1 has an empty value",
         {"User-Name = \"bob\""}},
        {"overrun",
         packet(1, 7, vector, bob + QByteArray::fromHex("0109626f62")),
         "Offset 25: attribute 1 of length 9 runs 4 octets past the end of the packet",
         {"User-Name = \"bob\""}},
        {"one octet left",
         packet(1, 7, vector, bob + QByteArray::fromHex("01")),
         "Offset 25: 1 octet left, too short for an attribute",
         {"User-Name = \"bob\""}},
        {"type zero",
         packet(1, 7, vector, QByteArray::fromHex("0003ff") + bob),
         "Offset 20: attribute 0 has the invalid type 0",
         {"User-Name = \"bob\""}},
        {"message authenticator of four octets",
         packet(1, 7, vector, QByteArray::fromHex("5004ffff")),
         "Offset 20: attribute 80 (Message-Authenticator) has the length 4, not 18",
         {}},
        {"unknown code", packet(0, 7, vector, bob), "Unknown packet code 0", {"User-Name = \"bob\""}},
    };
    for (const Case &c : cases) {
        const decoder::DecodedPacket decoded = PacketDecoder(Secret, std::nullopt).decode(c.octets);
        EXPECT_EQ(decoded.faults, QStringList{c.fault}) << c.label;
        QStringList pairs = pairsOf(decoded);
        pairs.removeAll(QString()); // an empty value may print as nothing
        for (const QString &pair : c.pairs)
            EXPECT_TRUE(pairs.contains(pair)) << c.label << ": " << textOf(decoded).toStdString();
    }
}

TEST_F(PacketDecoderTest, ReplyAuthenticatorsAreCheckedAgainstTheRequest)
{
    const QByteArray attributes = QByteArray::fromHex("120568656c") + MessageAuthenticator;
    const QByteArray good = signedReply(2, 7, RequestVector, attributes, Secret);
    const QByteArray otherSecret = signedReply(2, 7, RequestVector, attributes, "other");
    const QByteArray requestOctets = request(1, "User-Name = bob");
    const QByteArray otherRequest = packet(1, 8, RequestVector, {});
    const QByteArray tampered = QByteArray(good).replace(22, 1, "H");
    // The Response Authenticator of a reply's octets as they stand, signed with Secret.
    const auto resigned = [](const QByteArray &reply) {
        return radius::Crypto::md5(QByteArray(reply).replace(4, 16, RequestVector) + Secret);
    };
    struct Case {
        const char *label;
        QByteArray reply;
        std::optional<RequestContext> request;
        QByteArray secret;
        AuthenticatorCheck response;
        AuthenticatorCheck messageAuthenticator;
        QStringList faults;
    };
    const AuthenticatorCheck valid{State::Valid, {}, {}};
    const Case cases[] = {
        {"authenticator given", good, RequestContext{RequestVector, {}}, Secret, valid, valid, {}},
        {"request octets given", good, RequestContext::fromOctets(requestOctets), Secret, valid, valid, {}},
        // The expected values are those the decoding secret gives for the octets received.
        {"signed with another secret",
         otherSecret,
         RequestContext{RequestVector, {}},
         Secret,
         {State::Invalid, resigned(otherSecret), {}},
         {State::Invalid, good.right(16), {}},
         {}},
        {"without message authenticator, signed with another secret",
         signedReply(3, 7, RequestVector, {}, "other"),
         RequestContext{RequestVector, {}},
         Secret,
         {State::Invalid, signedReply(3, 7, RequestVector, {}, Secret).mid(4, 16), {}},
         {State::Absent, {}, {}},
         {}},
        {"tampered",
         tampered,
         RequestContext{RequestVector, {}},
         Secret,
         {State::Invalid, resigned(tampered), {}},
         {State::Invalid,
          signedReply(2, 7, RequestVector, QByteArray(attributes).replace(2, 1, "H"), Secret).right(16),
          {}},
         {}},
        {"no request",
         good,
         std::nullopt,
         Secret,
         {State::NotChecked, {}, "no request authenticator given"},
         {State::NotChecked, {}, "no request authenticator given"},
         {}},
        {"no secret",
         good,
         RequestContext{RequestVector, {}},
         {},
         {State::NotChecked, {}, "no shared secret given"},
         {State::NotChecked, {}, "no shared secret given"},
         {}},
        {"without message authenticator",
         signedReply(3, 7, RequestVector, {}, Secret),
         RequestContext{RequestVector, {}},
         Secret,
         valid,
         {State::Absent, {}, {}},
         {}},
        {"another request's identifier",
         good,
         RequestContext::fromOctets(otherRequest),
         Secret,
         valid,
         valid,
         {"Identifier 7 is not the request's 8"}},
    };
    for (const Case &c : cases) {
        const decoder::DecodedPacket decoded = PacketDecoder(c.secret, c.request).decode(c.reply);
        EXPECT_TRUE(decoded.isReply) << c.label;
        EXPECT_EQ(decoded.packetAuthenticator.state, c.response.state) << c.label;
        EXPECT_EQ(decoded.packetAuthenticator.expected.toHex(), c.response.expected.toHex()) << c.label;
        EXPECT_EQ(decoded.packetAuthenticator.reason, c.response.reason) << c.label;
        EXPECT_EQ(decoded.messageAuthenticator.state, c.messageAuthenticator.state) << c.label;
        EXPECT_EQ(decoded.messageAuthenticator.expected.toHex(), c.messageAuthenticator.expected.toHex()) << c.label;
        EXPECT_EQ(decoded.messageAuthenticator.reason, c.messageAuthenticator.reason) << c.label;
        EXPECT_EQ(decoded.faults, c.faults) << c.label;
    }
}

// Requests signed by the library: accounting and disconnect requests sign their
// authenticator, an Access-Request only its Message-Authenticator; hidden values show.
TEST_F(PacketDecoderTest, RequestsSignedByTheLibraryVerifyAndShowTheirValues)
{
    struct Case {
        const char *label;
        unsigned code;
        QString pairs;
        State authenticator;
        State messageAuthenticator;
        QStringList shown;
    };
    const Case cases[] = {
        {"access",
         1,
         "User-Name = bob, User-Password = \"hello\", Message-Authenticator = 0x00, Cisco-AVPair = \"a=b\", "
         "Tunnel-Type:1 = VLAN",
         State::NotChecked,
         State::Valid,
         {"User-Name = \"bob\"", "User-Password = \"hello\"", "Cisco-AVPair = \"a=b\"", "Tunnel-Type:1 = VLAN"}},
        {"accounting",
         4,
         "User-Name = bob, Acct-Status-Type = Start",
         State::Valid,
         State::Absent,
         {"Acct-Status-Type = Start"}},
        {"disconnect with message authenticator",
         40,
         "User-Name = bob, Message-Authenticator = 0x00",
         State::Valid,
         State::Valid,
         {"User-Name = \"bob\""}},
    };
    for (const Case &c : cases) {
        const decoder::DecodedPacket decoded = PacketDecoder(Secret, std::nullopt).decode(request(c.code, c.pairs));
        EXPECT_FALSE(decoded.isReply) << c.label;
        EXPECT_EQ(decoded.packetAuthenticator.state, c.authenticator) << c.label;
        EXPECT_EQ(decoded.messageAuthenticator.state, c.messageAuthenticator) << c.label;
        EXPECT_TRUE(decoded.faults.isEmpty()) << c.label << ": " << decoded.faults.join("; ").toStdString();
        const QStringList pairs = pairsOf(decoded);
        for (const QString &shown : c.shown)
            EXPECT_TRUE(pairs.contains(shown)) << c.label << ": " << textOf(decoded).toStdString();
    }

    // With another secret the signatures fail and the password does not come out.
    const decoder::DecodedPacket wrong =
        PacketDecoder("other", std::nullopt)
            .decode(request(1, "User-Password = \"hello\", Message-Authenticator = 0x00"));
    EXPECT_EQ(wrong.messageAuthenticator.state, State::Invalid);
    EXPECT_FALSE(pairsOf(wrong).contains("User-Password = \"hello\""));
    EXPECT_EQ(PacketDecoder("other", std::nullopt).decode(request(4, "User-Name = bob")).packetAuthenticator.state,
              State::Invalid);

    // Without a secret nothing is revealed or checked.
    const decoder::DecodedPacket none =
        PacketDecoder({}, std::nullopt).decode(request(1, "User-Password = \"hello\", Message-Authenticator = 0x00"));
    EXPECT_EQ(none.messageAuthenticator.state, State::NotChecked);
    ASSERT_EQ(none.attributes.size(), 2u);
    EXPECT_FALSE(pairsOf(none).contains("User-Password = \"hello\""));

    // A request's own authenticator reveals User-Password only: a Tunnel-Password stays hidden.
    const QByteArray hidden = QByteArray::fromHex("01aabb") + QByteArray(16, 'x');
    const decoder::DecodedPacket tunnel =
        PacketDecoder(Secret, std::nullopt).decode(packet(1, 7, RequestVector, "\x45\x15" + hidden));
    EXPECT_TRUE(tunnel.faults.isEmpty());
    // The salt and the hidden octets as they stand.
    EXPECT_EQ(pairsOf(tunnel), QStringList("Tunnel-Password:1 = \"\\252\\273xxxxxxxxxxxxxxxx\""))
        << textOf(tunnel).toStdString();
}

// Parts of a TLV come out as the dictionary names them.
TEST_F(PacketDecoderTest, TlvAttributesAreTakenApart)
{
    const QByteArray tlv = QByteArray::fromHex(
        "f10f05"
        "010600000001"
        "020600000064");
    const decoder::DecodedPacket decoded = PacketDecoder(Secret, std::nullopt).decode(packet(1, 7, RequestVector, tlv));
    EXPECT_TRUE(decoded.faults.isEmpty());
    ASSERT_EQ(decoded.attributes.size(), 1u);
    EXPECT_EQ(decoded.attributes[0].type, 241);
    EXPECT_EQ(pairsOf(decoded), (QStringList{"IP-Port-Type = 1", "IP-Port-Limit = 100"}))
        << textOf(decoded).toStdString();
}

// The report's labels come from the language file, and its colons stand in one column in a
// fixed font whether a label is English or Chinese, whose characters take two columns.
TEST_F(PacketDecoderTest, ReportSpeaksTheLanguageFileAndKeepsItsColumn)
{
    const decoder::DecodedPacket decoded =
        PacketDecoder(Secret, std::nullopt).decode(request(4, "User-Name = \"bob\""));
    const platform::LanguageFile chinese = platform::LanguageFile::parse(
        "[frmDecodePacket]\nReport.Code=代码\nReport.Identifier=标识符\n"
        "Check.Absent=不存在\nReport.Attributes=属性:\n");
    const QStringList lines = decoder::DecodeReportText::lines(decoded, chinese);
    ASSERT_GE(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith(QString::fromUtf8("代码")));
    EXPECT_TRUE(lines[1].startsWith(QString::fromUtf8("标识符")));
    EXPECT_TRUE(lines.contains(QString::fromUtf8("属性:")));
    EXPECT_TRUE(lines.filter("Message-Authenticator").value(0).endsWith(QString::fromUtf8(": 不存在")));
    // Columns of the colon: a Chinese character counts two, as a fixed font draws it.
    const auto colonColumn = [](const QString &line) {
        const qsizetype at = line.indexOf(QLatin1String(": "));
        qsizetype columns = 0;
        for (qsizetype i = 0; i < at; ++i)
            columns += line[i].unicode() >= 0x2E80 ? 2 : 1;
        return columns;
    };
    for (const QString &line : lines.mid(0, 3))
        EXPECT_EQ(colonColumn(line), 24) << line.toStdString();
    // English without a file, in the same column.
    EXPECT_EQ(colonColumn(decoder::DecodeReportText::lines(decoded).first()), 24);
}
