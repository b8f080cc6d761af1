#include "ClientRunner.h"
#include "FakeReplyServer.h"

#include <gtest/gtest.h>

#include <ostream>

// Replies that the client must refuse, from a server of the test's own: what the warning
// says about them.

namespace {

const QByteArray kSecret = "testing123";
const QByteArray kPap = "User-Name = bob\nUser-Password = hello\n";

struct BadReply {
    const char *name;
    std::function<QByteArray(const QByteArray &request)> reply;
    const char *warning; // after "Warning: ", with PORT for the server's port
};

void PrintTo(const BadReply &c, std::ostream *os)
{
    *os << c.name;
}

QByteArray header(const QByteArray &request, int code, int lengthField)
{
    QByteArray out;
    out.append(static_cast<char>(code)).append(request[1]);
    out.append(static_cast<char>(lengthField >> 8)).append(static_cast<char>(lengthField & 0xff));
    return out + request.mid(4, 16);
}

class RefusedReply : public ::testing::TestWithParam<BadReply> {};

TEST_P(RefusedReply, IsReportedOnceWithTheServerAddressAndTheReason)
{
    const BadReply &c = GetParam();
    FakeReplyServer server(c.reply, 1);
    ASSERT_TRUE(server.isListening());
    ClientRunner runner;
    const QString address = QStringLiteral("127.0.0.1:%1").arg(server.port());
    const auto r = runner.run(ClientRunner::radclient(), {"-r", "0", "-t", "1", address, "1", kSecret}, kPap);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(server.answered(), 1);
    const QString expected =
        QStringLiteral("Warning: ") + QString::fromUtf8(c.warning).replace("PORT", QString::number(server.port()));
    EXPECT_TRUE(r.lines.contains(expected)) << "expected: " << expected.toStdString() << "\n" << r.text().toStdString();
    EXPECT_EQ(r.countContaining("0.0.0.0"), 0);
    EXPECT_EQ(r.countContaining("unknown error"), 0);
    EXPECT_EQ(r.countContaining("Received "), 0) << "a refused reply counts as none";
    EXPECT_EQ(r.exitCode, 1); // the request is lost
}

INSTANTIATE_TEST_SUITE_P(
    Clients, RefusedReply,
    ::testing::Values(
        BadReply{"WrongSecret",
                 [](const QByteArray &request) { return FakeReplyServer::signedReply(request, 3, {}, "other"); },
                 "Access-Reject Id 0 from 127.0.0.1:PORT does not verify (wrong shared secret?): "
                 "invalid Response Authenticator"},
        BadReply{"LengthFieldBeyondTheDatagram", [](const QByteArray &request) { return header(request, 2, 40); },
                 "Dropped a malformed reply from 127.0.0.1:PORT: length field 40 is larger than the 20 octets "
                 "received"},
        BadReply{"AttributeLengthPastTheEnd",
                 [](const QByteArray &request) { return header(request, 2, 23) + QByteArray::fromHex("0109ff"); },
                 "Dropped a malformed reply from 127.0.0.1:PORT: an attribute's length runs past the length field"},
        BadReply{"EapMessageWithoutMessageAuthenticator",
                 [](const QByteArray &request) {
                     return FakeReplyServer::signedReply(request, 11, QByteArray::fromHex("4f0603000004"), kSecret);
                 },
                 "Dropped a malformed reply from 127.0.0.1:PORT: EAP-Message without a Message-Authenticator"},
        BadReply{"ShorterThanAHeader", [](const QByteArray &request) { return request.left(12); },
                 "Dropped a malformed reply from 127.0.0.1:PORT: 12 octets, shorter than the 20-octet RADIUS "
                 "header"}),
    [](const ::testing::TestParamInfo<BadReply> &param) { return std::string(param.param.name); });

} // namespace
