#include "LoadDictionary.h"

#include "radius/Crypto.h"
#include "radius/RequestPacket.h"

#include <gtest/gtest.h>

using namespace radius;

namespace {

const QByteArray Secret = "testing123";

class ReplyPacketTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { loadShippedDictionary(); }

    void SetUp() override
    {
        request.setCode(1);
        request.setId(9);
        request.setAuthenticator(QByteArray::fromHex("00112233445566778899aabbccddeeff"));
        ASSERT_TRUE(request.pairs().add(QStringLiteral("User-Name"), QStringLiteral("bob")).ok());
        ASSERT_TRUE(request.encode(Secret).ok());
    }

    // A reply to the request with the given attribute octets, signed with secret; a
    // Message-Authenticator among them (16 zero octets) is filled in first.
    QByteArray reply(unsigned code, const QByteArray &attributes, const QByteArray &secret = Secret) const
    {
        QByteArray packet;
        packet.append(char(code)).append(char(9));
        const int length = 20 + int(attributes.size());
        packet.append(char(length >> 8)).append(char(length & 0xff));
        packet.append(request.authenticator()).append(attributes);
        const qsizetype ma = packet.indexOf(QByteArray::fromHex("5012") + QByteArray(16, '\0'));
        if (ma >= 20)
            packet.replace(ma + 2, 16, Crypto::hmacMd5(packet, secret));
        packet.replace(4, 16, Crypto::md5(packet + secret));
        return packet;
    }

    RequestPacket request;
};

} // namespace

TEST_F(ReplyPacketTest, AVerifiedReplyDecodesItsAttributes)
{
    const QByteArray eap = QByteArray::fromHex("4f06") + QByteArray::fromHex("03070004");
    auto parsed = RequestPacket::parseReply(reply(2, eap + QByteArray::fromHex("5012") + QByteArray(16, '\0')));
    ASSERT_TRUE(parsed.ok()) << parsed.error().toStdString();
    EXPECT_EQ(parsed->code(), 2u);
    EXPECT_EQ(parsed->id(), 9);
    const Status verified = parsed->verifyReply(request, Secret);
    ASSERT_TRUE(verified.ok()) << verified.error().toStdString();
    EXPECT_EQ(parsed->pairs().joined("EAP-Message"), QByteArray::fromHex("03070004"));
    EXPECT_EQ(RequestPacket::codeName(parsed->code()), QStringLiteral("Access-Accept"));
}

// The reason names the authenticator at fault, and no address: the caller knows the server's.
TEST_F(ReplyPacketTest, AReplyThatDoesNotVerifySaysWhichAuthenticatorIsWrong)
{
    const QByteArray ma = QByteArray::fromHex("5012") + QByteArray(16, '\0');
    struct Case {
        const char *label;
        QByteArray octets;
        QString reason;
    };
    QByteArray tampered = reply(3, {});
    tampered[10] = char(tampered[10] ^ 1);
    const Case cases[] = {
        {"WrongSecret", reply(3, {}, "other"), "invalid Response Authenticator"},
        {"Tampered", tampered, "invalid Response Authenticator"},
        {"WrongSecretWithMessageAuthenticator", reply(3, ma, "other"), "invalid Message-Authenticator"},
    };
    for (const Case &c : cases) {
        auto parsed = RequestPacket::parseReply(c.octets);
        ASSERT_TRUE(parsed.ok()) << c.label << ": " << parsed.error().toStdString();
        const Status verified = parsed->verifyReply(request, Secret);
        EXPECT_FALSE(verified.ok()) << c.label;
        EXPECT_EQ(verified.error(), c.reason) << c.label;
    }
}

TEST_F(ReplyPacketTest, AMalformedReplySaysWhatIsWrong)
{
    struct Case {
        const char *label;
        QByteArray octets;
        const char *reason;
    };
    const QByteArray header = QByteArray::fromHex("0209");
    const Case cases[] = {
        {"Short", QByteArray::fromHex("02090014"), "4 octets, shorter than the 20-octet RADIUS header"},
        {"LengthBelowHeader", header + QByteArray::fromHex("0010") + QByteArray(16, '\0'),
         "length field 16 is below the 20-octet header"},
        {"LengthBeyondOctets", header + QByteArray::fromHex("0020") + QByteArray(16, '\0'),
         "length field 32 is larger than the 20 octets received"},
        {"AttributeLengthBelowTwo",
         header + QByteArray::fromHex("0017") + QByteArray(16, '\0') + QByteArray::fromHex("0101ff"),
         "an attribute's length is below 2"},
        {"AttributeRunsPastTheEnd",
         header + QByteArray::fromHex("0017") + QByteArray(16, '\0') + QByteArray::fromHex("0109ff"),
         "an attribute's length runs past the length field"},
        {"EapWithoutMessageAuthenticator",
         header + QByteArray::fromHex("0018") + QByteArray(16, '\0') + QByteArray::fromHex("4f0403ff"),
         "EAP-Message without a Message-Authenticator"},
        {"MessageAuthenticatorOfWrongLength",
         header + QByteArray::fromHex("0018") + QByteArray(16, '\0') + QByteArray::fromHex("5004ffff"),
         "Message-Authenticator whose length is not 18"},
        {"UnknownCode", QByteArray::fromHex("00090014") + QByteArray(16, '\0'), "unknown packet code 0"},
    };
    for (const Case &c : cases) {
        const auto parsed = RequestPacket::parseReply(c.octets);
        ASSERT_FALSE(parsed.ok()) << c.label;
        EXPECT_EQ(parsed.error(), QString::fromUtf8(c.reason)) << c.label;
    }
}
