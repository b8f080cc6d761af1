#include "FakeReplyServer.h"
#include "ServerSuite.h"

#include "mschap/MppeKeys.h"
#include "mschap/MsChapV2.h"
#include "radius/Crypto.h"

#include <ostream>

// radclient -a mschapv2: against the private FreeRADIUS, and against replies of the
// test's own that a server which does not know the password could send.

namespace {

const QByteArray kFixedChallenge = "0x00112233445566778899aabbccddeeff";

class MsChapV2Radclient : public ServerSuite {
protected:
    static void SetUpTestSuite()
    {
        // A password outside ASCII: the server's UTF-16 must be ours. A name with a domain,
        // which the challenge hash leaves out.
        startServer({{"j\u00f6rg", "Cleartext-Password := \"p\u00e4ssw\u00f6rd\u20ac\""},
                     {"EXAMPLE\\carol", "Cleartext-Password := \"c4rol\""}});
    }

    ClientRunner::Result send(const QByteArray &script)
    {
        return m_runner.run(ClientRunner::radclient(), {"-a", "mschapv2", "-sx", "-t", "3", auth(), "1", secret()},
                            script);
    }
};

TEST_F(MsChapV2Radclient, RightPasswordIsAcceptedWithProofAndKeysWrongOneRejectedWithReason)
{
    const auto r = send("User-Name = bob\nUser-Password = hello\nMS-CHAP-Challenge = " + kFixedChallenge
                        + "\n\n"
                          "User-Name = bob\nMS-CHAP-Password = wrong\n\n"
                          "User-Name = j\u00f6rg\nUser-Password = p\u00e4ssw\u00f6rd\u20ac\n\n"
                          "User-Name = \"EXAMPLE\\\\carol\"\nUser-Password = c4rol\n\n");
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.text().toStdString();
    EXPECT_TRUE(r.hasLine("\tMS-CHAP-Challenge = " + kFixedChallenge)) << "the file's challenge is used";
    EXPECT_EQ(r.countContaining("\tMS-CHAP2-Response = 0x"), 4);
    EXPECT_EQ(r.countContaining("User-Password"), 0) << "no password in the clear";
    EXPECT_EQ(r.countContaining("MS-CHAP-Password"), 0);
    for (const char *packet : {"Packet 1", "Packet 3", "Packet 4"}) {
        EXPECT_TRUE(r.lines.contains(QString("Info: %1: MS-CHAP2-Success verified").arg(packet)))
            << packet << "\n"
            << r.text().toStdString();
        EXPECT_TRUE(r.lines.contains(QString("Info: %1: MPPE keys match the password").arg(packet)));
    }
    EXPECT_TRUE(r.lines.contains(
        "Info: Packet 2: rejected: authentication failure (E=691), retry allowed: Authentication rejected"))
        << r.text().toStdString();
    EXPECT_EQ(r.total("approved"), 3);
    EXPECT_EQ(r.total("denied"), 1);
    EXPECT_EQ(r.countContaining("Error:"), 0);
}

// Without -a the same file goes out as PAP, as before.
TEST_F(MsChapV2Radclient, WithoutTheOptionThePasswordGoesAsPap)
{
    const auto r = m_runner.run(ClientRunner::radclient(), {"-sx", auth(), "1", secret()},
                                "User-Name = bob\nUser-Password = hello\n\n");
    EXPECT_EQ(r.total("approved"), 1) << r.text().toStdString();
    EXPECT_EQ(r.countContaining("MS-CHAP"), 0);
}

// "B" is the identifier octet; the vendor attribute of Microsoft (311) with the type.
QByteArray microsoft(int type, const QByteArray &value)
{
    QByteArray vendor = QByteArray::fromHex("00000137");
    vendor.append(char(type)).append(char(value.size() + 2)).append(value);
    return QByteArray(1, char(26)) + char(vendor.size() + 2) + vendor;
}

const QByteArray kSecret = "testing123";

// One try, no retry, to a server of the test's own.
ClientRunner::Result sendTo(const FakeReplyServer &server, const QByteArray &script)
{
    ClientRunner runner;
    return runner.run(
        ClientRunner::radclient(),
        {"-a", "mschapv2", "-r", "0", "-t", "5", QString("127.0.0.1:%1").arg(server.port()), "1", kSecret}, script);
}

struct ForgedReply {
    const char *name;
    int code;
    QByteArray attributes;
    const char *line; // the line the client writes about it
    int exitCode;
};

void PrintTo(const ForgedReply &c, std::ostream *os)
{
    *os << c.name;
}

class MsChapV2ForgedReply : public ::testing::TestWithParam<ForgedReply> {};

TEST_P(MsChapV2ForgedReply, IsToldAsItIs)
{
    const ForgedReply &c = GetParam();
    FakeReplyServer server(
        [&c](const QByteArray &request) {
            return FakeReplyServer::signedReply(request, c.code, c.attributes, kSecret);
        },
        1);
    ASSERT_TRUE(server.isListening());
    const auto r = sendTo(server, "User-Name = bob\nUser-Password = hello\n\n");
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(server.answered(), 1);
    EXPECT_TRUE(r.lines.contains(QString::fromUtf8(c.line))) << r.text().toStdString();
    EXPECT_EQ(r.exitCode, c.exitCode);
}

const QByteArray kWrongProof = "BS=" + QByteArray(40, '7');

INSTANTIATE_TEST_SUITE_P(
    Clients, MsChapV2ForgedReply,
    ::testing::Values(
        ForgedReply{"WrongAuthenticatorResponse", 2, microsoft(26, kWrongProof),
                    "Error: Packet 1: MS-CHAP2-Success holds a wrong authenticator response: the server does not "
                    "know the password",
                    1},
        ForgedReply{"AcceptWithoutProof",
                    2,
                    {},
                    "Error: Packet 1: Access-Accept without MS-CHAP2-Success: the server did not prove it knows "
                    "the password",
                    1},
        ForgedReply{"ProofNotUnderstood", 2, microsoft(26, "BS=123"),
                    "Error: Packet 1: MS-CHAP2-Success not understood (no authenticator response (S= and 40 hex "
                    "digits)): BS=123",
                    1},
        ForgedReply{"ErrorNotUnderstood", 3, microsoft(2, "BE=691 R=9"),
                    "Warning: Packet 1: MS-CHAP-Error not understood (bad retry flag R=9): BE=691 R=9", 0},
        ForgedReply{"AccountDisabled", 3, microsoft(2, "BE=647 R=0 V=3"),
                    "Info: Packet 1: rejected: account disabled (E=647), no retry", 0}),
    [](const ::testing::TestParamInfo<ForgedReply> &param) { return std::string(param.param.name); });

// A Microsoft attribute's value in a packet, found by walking its attributes.
QByteArray microsoftValue(const QByteArray &packet, int type)
{
    for (qsizetype at = 20; at + 8 <= packet.size();) {
        const int length = quint8(packet[at + 1]);
        if (length < 2)
            break;
        if (packet[at] == 26 && packet.mid(at + 2, 4) == QByteArray::fromHex("00000137") && packet[at + 6] == type)
            return packet.mid(at + 8, quint8(packet[at + 7]) - 2);
        at += length;
    }
    return {};
}

// What a server sends for an MPPE key (RFC 2548 section 2.4.2), with the salt 8001.
QByteArray hiddenKey(const QByteArray &key, const QByteArray &secret, const QByteArray &requestAuthenticator)
{
    QByteArray plain = char(key.size()) + key;
    plain.append(QByteArray((16 - plain.size() % 16) % 16, '\0'));
    QByteArray out = QByteArray::fromHex("8001");
    QByteArray chain = requestAuthenticator + out;
    for (qsizetype at = 0; at < plain.size(); at += 16) {
        const QByteArray pad = radius::Crypto::md5(secret + chain);
        chain = plain.mid(at, 16);
        for (int i = 0; i < 16; ++i)
            chain[i] = char(chain[i] ^ pad[i]);
        out += chain;
    }
    return out;
}

// A server that proves it knows the password but sends one MPPE key the password does
// not give: the key the client reads back through the library must be told apart.
TEST(MsChapV2Keys, AKeyThePasswordDoesNotGiveIsAnError)
{
    using mschap::MsChapV2;
    FakeReplyServer server(
        [](const QByteArray &request) {
            const QByteArray challenge = microsoftValue(request, 11);
            const QByteArray response = microsoftValue(request, 25);
            const QByteArray peerChallenge = response.mid(2, 16);
            const QByteArray ntResponse = response.mid(26, 24);
            const QByteArray proof =
                MsChapV2::generateAuthenticatorResponse("hello", ntResponse, peerChallenge, challenge, "bob");
            const auto keys = mschap::MppeKeys::serverKeys(
                MsChapV2::hashNtPasswordHash(MsChapV2::ntPasswordHash("hello")), ntResponse);
            const QByteArray authenticator = request.mid(4, 16);
            return FakeReplyServer::signedReply(
                request, 2,
                microsoft(26, response.left(1) + proof)
                    + microsoft(16, hiddenKey(QByteArray(16, '\x55'), kSecret, authenticator))
                    + microsoft(17, hiddenKey(keys.receiveKey, kSecret, authenticator)),
                kSecret);
        },
        1);
    ASSERT_TRUE(server.isListening());
    const auto r = sendTo(server, "User-Name = bob\nUser-Password = hello\n\n");
    ASSERT_TRUE(r.finished);
    EXPECT_TRUE(r.lines.contains("Info: Packet 1: MS-CHAP2-Success verified")) << r.text().toStdString();
    EXPECT_TRUE(r.lines.contains("Error: Packet 1: MS-MPPE-Send-Key is not the key the password gives"));
    EXPECT_FALSE(r.hasLine("MS-MPPE-Recv-Key is not")) << "the right key passes";
    EXPECT_FALSE(r.hasLine("MPPE keys match"));
    EXPECT_EQ(r.exitCode, 1);
}

// Refused before anything is sent: no password to compute the response from.
TEST(MsChapV2Packet, WithoutPasswordNothingIsSent)
{
    FakeReplyServer server([](const QByteArray &request) { return request; }, 1);
    ASSERT_TRUE(server.isListening());
    const auto r = sendTo(server, "User-Name = bob\n\n");
    ASSERT_TRUE(r.finished);
    EXPECT_TRUE(r.lines.contains("Error: Packet 1: no MS-CHAP-Password or User-Password for MS-CHAPv2"))
        << r.text().toStdString();
    EXPECT_FALSE(r.hasLine("Sent "));
    EXPECT_EQ(server.answered(), 0);
    EXPECT_EQ(r.exitCode, 1);
}

// Without OpenSSL's legacy provider there is no MD4 or DES: one line says so, nothing is sent.
TEST(MsChapV2Packet, WithoutTheLegacyProviderTheRunSaysWhyOnce)
{
    FakeReplyServer server([](const QByteArray &request) { return request; }, 1);
    ASSERT_TRUE(server.isListening());
    qputenv("OPENSSL_MODULES", "/nonexistent");
    const auto r =
        sendTo(server, "User-Name = bob\nUser-Password = hello\n\nUser-Name = bob\nUser-Password = hello\n\n");
    qunsetenv("OPENSSL_MODULES");
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.countContaining("Error: cannot load OpenSSL's legacy provider (MD4 and DES for MS-CHAP)"), 1)
        << r.text().toStdString();
    EXPECT_FALSE(r.hasLine("Sent "));
    EXPECT_EQ(server.answered(), 0);
    EXPECT_EQ(r.exitCode, 1);
}

// radeapclient takes -a too, with the EAP methods' names.
TEST(MsChapV2Options, MethodNamesAreChecked)
{
    const struct {
        QString program;
        const char *value;
        const char *error;
    } cases[] = {
        {ClientRunner::radclient(), "chap", "Error: bad value for -a: chap"},
        {ClientRunner::radclient(), "MSCHAPV2", "Error: bad value for -a: MSCHAPV2"},
        {ClientRunner::radeapclient(), "chap", "Error: bad value for -a: chap"},
    };
    for (const auto &c : cases) {
        ClientRunner runner;
        const auto r = runner.runWords(c.program, {"-f", "script/none.txt", "-a", c.value, "127.0.0.1:1812", "1", "s"});
        EXPECT_EQ(r.exitCode, 2) << c.value;
        EXPECT_TRUE(r.lines.contains(c.error)) << r.text().toStdString();
    }
}

} // namespace
