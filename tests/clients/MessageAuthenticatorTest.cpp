#include "ClientRunner.h"
#include "FakeReplyServer.h"
#include "radius/Crypto.h"

#include <gtest/gtest.h>

#include <mutex>
#include <ostream>

// Message-Authenticator in our clients' requests and replies (CVE-2024-3596), and the
// secret read from a file, against a server of the test's own on 127.0.0.1.

namespace {

const QByteArray kSecret = "testing123";
const QByteArray kPap = "User-Name = bob\nUser-Password = hello\n";
constexpr char kMessageAuthenticator = 80;

// The requests the server saw, for reading after the run.
class SeenRequests {
public:
    void add(const QByteArray &request)
    {
        const std::lock_guard lock(m_mutex);
        m_requests.append(request);
    }
    QList<QByteArray> all() const
    {
        const std::lock_guard lock(m_mutex);
        return m_requests;
    }

private:
    mutable std::mutex m_mutex;
    QList<QByteArray> m_requests;
};

// Attribute types of a packet in order.
QList<int> attributeTypes(const QByteArray &packet)
{
    QList<int> types;
    for (int at = 20; at + 2 <= packet.size() && quint8(packet[at + 1]) >= 2; at += quint8(packet[at + 1]))
        types.append(quint8(packet[at]));
    return types;
}

// A reply whose Message-Authenticator comes first and is signed with maSecret: the HMAC
// over the reply with the request's authenticator and a zero value, then the Response
// Authenticator over that.
QByteArray replyWithAuthenticator(const QByteArray &request, int code, const QByteArray &maSecret)
{
    const QByteArray attributes = QByteArray(1, kMessageAuthenticator) + char(18) + QByteArray(16, '\0');
    QByteArray packet = FakeReplyServer::signedReply(request, code, attributes, kSecret);
    packet.replace(4, 16, request.mid(4, 16));
    packet.replace(22, 16, radius::Crypto::hmacMd5(packet, maSecret));
    packet.replace(4, 16, radius::Crypto::md5(packet + kSecret));
    return packet;
}

// Accounting-Response to Accounting-Request, Access-Accept to the rest.
QByteArray accept(const QByteArray &request)
{
    return FakeReplyServer::signedReply(request, request[0] == 4 ? 5 : 2, {}, kSecret);
}

struct ReplyCase {
    const char *name;
    QStringList options;
    std::function<QByteArray(const QByteArray &request)> reply;
    const char *expected; // a line holding this text, PORT for the server's port
    int exitCode;
};

void PrintTo(const ReplyCase &c, std::ostream *os)
{
    *os << c.name;
}

class ReplyAuthenticator : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(ReplyAuthenticator, IsRequiredOnlyWithA)
{
    const ReplyCase &c = GetParam();
    FakeReplyServer server(c.reply, 1);
    ASSERT_TRUE(server.isListening());
    ClientRunner runner;
    const QString address = QStringLiteral("127.0.0.1:%1").arg(server.port());
    const auto r = runner.run(ClientRunner::radclient(),
                              c.options + QStringList{"-r", "0", "-t", "1", address, "1", kSecret}, kPap);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(server.answered(), 1);
    const QString expected = QString::fromUtf8(c.expected).replace("PORT", QString::number(server.port()));
    EXPECT_TRUE(r.hasLine(expected)) << "expected: " << expected.toStdString() << "\n" << r.text().toStdString();
    EXPECT_EQ(r.exitCode, c.exitCode) << r.text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Clients, ReplyAuthenticator,
    ::testing::Values(
        ReplyCase{"MissingIsDroppedWithA",
                  {"-A"},
                  [](const QByteArray &request) { return FakeReplyServer::signedReply(request, 2, {}, kSecret); },
                  "Warning: Dropped Access-Accept Id 0 from 127.0.0.1:PORT: it carries no Message-Authenticator "
                  "(CVE-2024-3596, Blast-RADIUS)",
                  1},
        ReplyCase{"WrongIsDroppedWithA",
                  {"-A"},
                  [](const QByteArray &request) { return replyWithAuthenticator(request, 3, "other"); },
                  "Warning: Access-Reject Id 0 from 127.0.0.1:PORT does not verify (wrong shared secret?): invalid "
                  "Message-Authenticator (CVE-2024-3596, Blast-RADIUS)",
                  1},
        ReplyCase{"ValidIsTakenWithA",
                  {"-A"},
                  [](const QByteArray &request) { return replyWithAuthenticator(request, 2, kSecret); },
                  "Info: Received Access-Accept Id 0 from 127.0.0.1:PORT",
                  0},
        ReplyCase{"MissingIsTakenWithoutA", {}, accept, "Info: Received Access-Accept Id 0 from 127.0.0.1:PORT", 0}),
    [](const ::testing::TestParamInfo<ReplyCase> &param) { return std::string(param.param.name); });

struct PlacementCase {
    const char *name;
    QStringList options;
    const char *code;
    QByteArray script;
    QList<int> types; // of the request as sent
};

void PrintTo(const PlacementCase &c, std::ostream *os)
{
    *os << c.name;
}

class RequestAuthenticator : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(RequestAuthenticator, StandsWhereTheOptionsSay)
{
    const PlacementCase &c = GetParam();
    SeenRequests seen;
    FakeReplyServer server(
        [&seen](const QByteArray &request) {
            seen.add(request);
            return accept(request);
        },
        1);
    ASSERT_TRUE(server.isListening());
    ClientRunner runner;
    const QString address = QStringLiteral("127.0.0.1:%1").arg(server.port());
    const auto r = runner.run(ClientRunner::radclient(),
                              c.options + QStringList{"-r", "0", "-t", "2", address, c.code, kSecret}, c.script);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.text().toStdString();
    const QList<QByteArray> requests = seen.all();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(attributeTypes(requests.front()), c.types);
}

INSTANTIATE_TEST_SUITE_P(
    Clients, RequestAuthenticator,
    ::testing::Values(
        PlacementCase{"FirstInAccessRequest", {}, "1", kPap, {80, 1, 2}},
        PlacementCase{"WrittenLastIsMovedFirst", {}, "1", kPap + "Message-Authenticator = 0x00\n", {80, 1, 2}},
        PlacementCase{"LegacyAddsNone", {"-M"}, "1", kPap, {1, 2}},
        PlacementCase{"LegacyKeepsTheWrittenPlace", {"-M"}, "1", kPap + "Message-Authenticator = 0x00\n", {1, 2, 80}},
        PlacementCase{"NoneInAccounting", {}, "4", "User-Name = bob\nAcct-Status-Type = Start\n", {1, 40}}),
    [](const ::testing::TestParamInfo<PlacementCase> &param) { return std::string(param.param.name); });

// -S: the secret comes from the file's first line and the secret word is ignored.
TEST(SecretFile, FirstLineIsTheSecretAndTheWordIsIgnored)
{
    FakeReplyServer server(accept, 2);
    ASSERT_TRUE(server.isListening());
    ClientRunner runner;
    ASSERT_TRUE(runner.dir().writeFile("secret.txt", kSecret + "\r\nsecond line\n"));
    const QString address = QStringLiteral("127.0.0.1:%1").arg(server.port());
    const auto placeholder =
        runner.run(ClientRunner::radclient(), {"-S", "secret.txt", "-r", "0", "-t", "2", address, "1", "-"}, kPap);
    EXPECT_EQ(placeholder.exitCode, 0) << placeholder.text().toStdString();
    EXPECT_TRUE(placeholder.hasLine("Info: Received Access-Accept")) << placeholder.text().toStdString();
    const auto noWord =
        runner.run(ClientRunner::radeapclient(), {"-S", "secret.txt", "-r", "0", "-t", "2", address, "4"},
                   "User-Name = bob\nAcct-Status-Type = Start\n");
    EXPECT_EQ(noWord.exitCode, 0) << noWord.text().toStdString();
    EXPECT_TRUE(noWord.hasLine("Info: Received Accounting-Response")) << noWord.text().toStdString();
}

TEST(SecretFile, UnreadableOrEmptyIsAnErrorAndSendsNothing)
{
    ClientRunner runner;
    ASSERT_TRUE(runner.dir().writeFile("empty.txt", "\nsecret on the second line\n"));
    for (const char *file : {"missing.txt", "empty.txt"}) {
        const auto r = runner.run(ClientRunner::radclient(), {"-S", file, "127.0.0.1:9", "1", "-"}, kPap);
        EXPECT_EQ(r.exitCode, 1) << file;
        EXPECT_TRUE(r.hasLine(QStringLiteral("Error: ")) && r.hasLine(QString::fromLatin1(file)))
            << r.text().toStdString();
        EXPECT_FALSE(r.hasLine("Sent ")) << file;
    }
}

} // namespace
