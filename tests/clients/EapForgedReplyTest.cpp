#include "ClientRunner.h"
#include "FakeReplyServer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <ostream>

// radeapclient -a mschapv2 against a server of the test's own that does not know the
// password: its success message must be refused.

namespace {

const QByteArray kSecret = "testing123";

QByteArray attribute(int type, const QByteArray &value)
{
    return FakeReplyServer::attribute(type, value);
}

QByteArray signedWithMessageAuthenticator(const QByteArray &request, int code, const QByteArray &attributes)
{
    return FakeReplyServer::signedWithMessageAuthenticator(request, code, attributes, kSecret);
}

// An EAP request of the type as an EAP-Message attribute.
QByteArray eapRequest(quint8 id, quint8 type, const QByteArray &data)
{
    const int length = 5 + int(data.size());
    QByteArray packet;
    packet.append(char(1)).append(char(id)).append(char(length >> 8)).append(char(length & 0xff)).append(char(type));
    return attribute(79, packet + data);
}

// EAP-MSCHAPv2 op-code, MS-CHAPv2-ID, MS-Length, then the value.
QByteArray msChapV2(quint8 opCode, const QByteArray &value)
{
    const int length = 4 + int(value.size());
    return QByteArray(1, char(opCode)) + char(7) + char(length >> 8) + char(length & 0xff) + value;
}

struct ForgedEnd {
    const char *name;
    int code; // of the second reply
    QByteArray secondAttributes;
    const char *line;
};

void PrintTo(const ForgedEnd &c, std::ostream *os)
{
    *os << c.name;
}

class EapMsChapV2Forged : public ::testing::TestWithParam<ForgedEnd> {};

// The first reply is a genuine challenge; the second ends the conversation as the case says.
TEST_P(EapMsChapV2Forged, IsAnErrorAndNoApproval)
{
    const ForgedEnd &c = GetParam();
    auto replies = std::make_shared<std::atomic<int>>(0);
    FakeReplyServer server(
        [&c, replies](const QByteArray &request) {
            if ((*replies)++ == 0) {
                const QByteArray challenge = QByteArray(1, char(16)) + QByteArray(16, '\x42') + "server";
                return signedWithMessageAuthenticator(request, 11, eapRequest(2, 26, msChapV2(1, challenge)));
            }
            return signedWithMessageAuthenticator(request, c.code, c.secondAttributes);
        },
        2);
    ASSERT_TRUE(server.isListening());
    ClientRunner runner;
    const auto r = runner.run(
        ClientRunner::radeapclient(),
        {"-a", "mschapv2", "-s", "-r", "0", "-t", "5", QString("127.0.0.1:%1").arg(server.port()), "1", kSecret},
        "User-Name = bob\nUser-Password = hello\n\n");
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(server.answered(), 2);
    EXPECT_TRUE(r.lines.contains(QString::fromUtf8(c.line))) << r.text().toStdString();
    EXPECT_EQ(r.total("approved"), 0);
    EXPECT_EQ(r.exitCode, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Clients, EapMsChapV2Forged,
    ::testing::Values(
        ForgedEnd{"WrongAuthenticatorResponse", 11,
                  eapRequest(3, 26, msChapV2(3, "S=" + QByteArray(40, '7') + " M=ok")),
                  "Error: Packet 1: EAP-MSCHAPv2 success message holds a wrong authenticator response: the server "
                  "does not know the password"},
        ForgedEnd{"AcceptWithoutProof", 2, attribute(79, QByteArray::fromHex("03030004")),
                  "Error: Packet 1: Access-Accept before the server proved it knows the password"},
        ForgedEnd{"SuccessNotUnderstood", 11, eapRequest(3, 26, msChapV2(3, "S=12")),
                  "Error: Packet 1: EAP-MSCHAPv2 success message not understood (no authenticator response (S= and "
                  "40 hex digits)): S=12"}),
    [](const ::testing::TestParamInfo<ForgedEnd> &param) { return std::string(param.param.name); });

} // namespace
