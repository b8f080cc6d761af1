#include "LoadDictionary.h"

#include "radius/Crypto.h"
#include "radius/HostLookup.h"
#include "radius/RequestPacket.h"

#include <QtEndian>

#include <gtest/gtest.h>

using namespace radius;

namespace {

const QByteArray Authenticator = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f");

struct EncodeCase {
    const char *label;
    unsigned code;
    int id;
    const char *pairs;
    const char *expectedHex; // worked out from RFC 2865/2866/3579 independently of the library
};

class RequestPacketTest : public ::testing::TestWithParam<EncodeCase> {
protected:
    static void SetUpTestSuite() { loadShippedDictionary(); }
};

TEST_P(RequestPacketTest, EncodesAndSignsWithFixedAuthenticator)
{
    const EncodeCase &c = GetParam();
    RequestPacket packet;
    packet.setCode(c.code);
    packet.setId(c.id);
    packet.setAuthenticator(Authenticator);
    if (*c.pairs) {
        auto parsed = PairList::parse(QString::fromLatin1(c.pairs));
        ASSERT_TRUE(parsed.ok()) << parsed.error().toStdString();
        packet.pairs() = std::move(*parsed);
    }
    const auto octets = packet.encode("s3cret");
    ASSERT_TRUE(octets.ok()) << octets.error().toStdString();
    EXPECT_EQ(octets->toHex().toStdString(), c.expectedHex);
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, RequestPacketTest,
    ::testing::Values(
        EncodeCase{"AccessRequestKeepsAuthenticator", 1, 7, "User-Name = bob",
                   "01070019000102030405060708090a0b0c0d0e0f0105626f62"},
        EncodeCase{"UserPasswordHidden", 1, 8, "User-Name = bob, User-Password = hello",
                   "0108002b000102030405060708090a0b0c0d0e0f0105626f620212abd7083312c082e7dc50f83977198150"},
        EncodeCase{"AccountingSignedOverZeroAuthenticator", 4, 1, "Acct-Status-Type = Start",
                   "0401001ae6365aa54fcc6a42d936f46d7656fabb280600000001"},
        EncodeCase{"StatusServerMessageAuthenticator", 12, 9, "Message-Authenticator = 0x00",
                   "0c090026000102030405060708090a0b0c0d0e0f501283eec554f11d4d63a2099e5149792745"},
        EncodeCase{"VendorAttributeWrapped", 1, 3, "Cisco-AVPair = \"a=b\"",
                   "0103001f000102030405060708090a0b0c0d0e0f1a0b000000090105613d62"},
        EncodeCase{"InternalAttributesLeftOut", 1, 4, "Packet-Type = Access-Request, Packet-Dst-Port = 1812",
                   "01040014000102030405060708090a0b0c0d0e0f"},
        EncodeCase{"DisconnectRequestSigned", 40, 5, "User-Name = bob",
                   "28050019747caa3fb3daee0304d8cdd21ad8649b0105626f62"}),
    [](const auto &p) { return std::string(p.param.label); });

TEST_F(RequestPacketTest, ResponseCodesFailWithTheLibrarysMessage)
{
    RequestPacket packet;
    packet.setCode(2);
    packet.setId(1);
    const auto octets = packet.encode("s3cret");
    ASSERT_FALSE(octets.ok());
    EXPECT_TRUE(octets.error().contains(QStringLiteral("response packet"))) << octets.error().toStdString();
}

TEST_F(RequestPacketTest, ChapResponseUsesChallengeOrAuthenticator)
{
    RequestPacket packet;
    packet.setAuthenticator(Authenticator);
    auto plain = packet.chapResponse(5, "hello");
    ASSERT_TRUE(plain.ok()) << plain.error().toStdString();
    EXPECT_EQ(plain->toHex(), "0560a0d5639b3de4a3a9a6a8a557e53544");

    ASSERT_TRUE(packet.pairs()
                    .add(QStringLiteral("CHAP-Challenge"), QStringLiteral("0x00112233445566778899aabbccddeeff"))
                    .ok());
    auto challenged = packet.chapResponse(5, "hello");
    ASSERT_TRUE(challenged.ok());
    EXPECT_EQ(challenged->toHex(), "057d25b172ba54624f9c56cfcf66312c7b");
}

TEST_F(RequestPacketTest, EveryOperatorAScriptMayCarryEncodes)
{
    for (int op = int(PairOperator::Equal); op <= int(PairOperator::Compare); ++op) {
        RequestPacket packet;
        packet.setCode(4);
        packet.setId(op);
        ASSERT_TRUE(packet.pairs().add(QStringLiteral("User-Name"), QStringLiteral("x"), PairOperator(op)).ok()) << op;
        ASSERT_TRUE(packet.pairs().add(QStringLiteral("NAS-Port"), QStringLiteral("1"), PairOperator(op)).ok()) << op;
        const auto octets = packet.encode("s3cret");
        ASSERT_TRUE(octets.ok()) << op << octets.error().toStdString();
        EXPECT_GE(octets->size(), 20) << op;
        EXPECT_EQ(quint8(octets->at(1)), quint8(op));
    }
}

TEST_F(RequestPacketTest, RandomAuthenticatorsDifferAndZeroIsZero)
{
    RequestPacket a, b;
    EXPECT_NE(a.authenticator(), b.authenticator());
    EXPECT_EQ(RequestPacket(RequestPacket::Authenticator::Zero).authenticator(), QByteArray(16, '\0'));
    EXPECT_EQ(a.id(), -1);
    EXPECT_EQ(a.code(), 0u);
}

TEST_F(RequestPacketTest, ReEncodingUsesTheCurrentPairs)
{
    RequestPacket packet;
    packet.setCode(1);
    packet.setId(7);
    packet.setAuthenticator(Authenticator);
    ASSERT_TRUE(packet.encode("s3cret").ok());
    ASSERT_TRUE(packet.pairs().add(QStringLiteral("User-Name"), QStringLiteral("bob")).ok());
    EXPECT_EQ(packet.encode("s3cret")->toHex(), "01070019000102030405060708090a0b0c0d0e0f0105626f62");
}

TEST(CryptoTest, DigestsMatchTheirRfcVectors)
{
    EXPECT_EQ(Crypto::md5("abc").toHex(), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(Crypto::md5("").toHex(), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Crypto::hmacMd5("Hi There", QByteArray(16, '\x0b')).toHex(), "9294727a3638bb1c13f48ef8158bfc9d");
    EXPECT_EQ(Crypto::hmacMd5("what do ya want for nothing?", "Jefe").toHex(), "750c783e6ab0b503eaa86e310a5db738");
    EXPECT_EQ(Crypto::sha1("abc").toHex(), "a9993e364706816aba3e25717850c26c9cd0d89d");
    EXPECT_EQ(Crypto::hmacSha1("what do ya want for nothing?", "Jefe").toHex(),
              "effcdf6ae5eb2fa2d27416d5f184df9c259a7c79");
    // One compression of the block SHA-1 pads "abc" into is the digest of "abc".
    QByteArray block = QByteArray("abc") + char(0x80);
    block.resize(63, '\0');
    block.append(char(24));
    EXPECT_EQ(Crypto::sha1Block(block), Crypto::sha1("abc"));
    const QByteArray r = Crypto::randomBytes(7);
    EXPECT_EQ(r.size(), 7);
    EXPECT_NE(Crypto::randomBytes(16), Crypto::randomBytes(16));
}

TEST(HostLookupTest, DottedAndLocalNamesResolve)
{
    const auto dotted = HostLookup::ipv4NetworkOrder(QStringLiteral("127.0.0.1"));
    ASSERT_TRUE(dotted.ok()) << dotted.error().toStdString();
    EXPECT_EQ(qFromBigEndian(*dotted), 0x7f000001u);
    const auto local = HostLookup::ipv4NetworkOrder(QStringLiteral("localhost"));
    ASSERT_TRUE(local.ok()) << local.error().toStdString();
    EXPECT_EQ(qFromBigEndian(*local) >> 24, 127u);
    EXPECT_FALSE(HostLookup::ipv4NetworkOrder(QStringLiteral("  ")).ok());
}

} // namespace
