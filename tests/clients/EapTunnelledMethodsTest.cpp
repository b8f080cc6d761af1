#include "ClientRunner.h"
#include "FakeReplyServer.h"
#include "TlsEapServer.h"

#include "support/TestPki.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <algorithm>
#include <memory>
#include <ostream>

// radeapclient -a tls, peap and ttls against a server of the test's own (a real TLS
// server, the EAP around it written here), over TLS 1.2 and 1.3: what an honest server
// ends with is accepted, what a server must not be believed on is an error.

namespace {

using Method = TlsEapServer::Method;
using End = TlsEapServer::End;

const QByteArray kSecret = "testing123";
const QByteArray kBob = "User-Name = bob\nUser-Password = hello\n\n";

class TunnelledMethods : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_pki = std::make_unique<testsupport::TestPki>();
        if (!s_pki->create(&s_error))
            s_pki.reset();
    }
    static void TearDownTestSuite() { s_pki.reset(); }
    void SetUp() override { ASSERT_TRUE(s_pki) << s_error.toStdString(); }

    static TlsEapServer::Settings settings(Method method, bool tls13, End end = End::Honest)
    {
        return {.method = method,
                .end = end,
                .tls13 = tls13,
                .certificate = s_pki->certificate("server"),
                .key = s_pki->key("server"),
                .caFile = s_pki->caFile(),
                .user = "bob",
                .password = "hello",
                .secret = kSecret};
    }

    static QStringList methodWords(Method method, const QString &ca)
    {
        switch (method) {
        case Method::Tls:
            return {"-a",         "tls",
                    "--eap-ca",   ca,
                    "--eap-cert", s_pki->certificate("client"),
                    "--eap-key",  s_pki->key("client")};
        case Method::Peap: return {"-a", "peap", "--eap-ca", ca};
        case Method::TtlsMsChapV2: return {"-a", "ttls", "--inner", "mschapv2", "--eap-ca", ca};
        default: return {"-a", "ttls", "--inner", "md5", "--eap-ca", ca};
        }
    }

    struct Run {
        ClientRunner::Result client;
        std::string serverProblem;
    };

    // One packet through the server, which answers at most 30 times and, when
    // withholdAccept, leaves its Access-Accept unsent; one try per request.
    Run run(const TlsEapServer::Settings &serverSettings, const QStringList &words, bool withholdAccept = false,
            const QByteArray &script = kBob)
    {
        TlsEapServer eap(serverSettings);
        ClientRunner::Result client;
        {
            FakeReplyServer server(
                [&eap, withholdAccept](const QByteArray &request) {
                    QByteArray answer = eap.reply(request);
                    return withholdAccept && answer.startsWith(char(2)) ? QByteArray() : answer;
                },
                30);
            EXPECT_TRUE(server.isListening());
            client = m_runner.run(ClientRunner::radeapclient(),
                                  words
                                      + QStringList{"-s", "-r", "0", "-t", withholdAccept ? "0.3" : "5",
                                                    QString("127.0.0.1:%1").arg(server.port()), "1", kSecret},
                                  script);
        } // the server's thread has ended: what it found is ours to read
        return {client, eap.problem()};
    }

    static inline std::unique_ptr<testsupport::TestPki> s_pki;
    static inline QString s_error;
    ClientRunner m_runner;
};

struct HonestCase {
    const char *name;
    Method method;
    bool tls13;
};

void PrintTo(const HonestCase &c, std::ostream *os)
{
    *os << c.name;
}

class HonestServer : public TunnelledMethods, public ::testing::WithParamInterface<HonestCase> {};

// Under TLS 1.3 the keys come from the exporter with the method's type as context
// (RFC 9190, RFC 9427) and EAP-TLS ends with the server's commitment message.
TEST_P(HonestServer, IsAcceptedWithTheKeysItDerived)
{
    const HonestCase &c = GetParam();
    const auto r = run(settings(c.method, c.tls13), methodWords(c.method, s_pki->caFile()));
    ASSERT_TRUE(r.client.finished);
    EXPECT_EQ(r.serverProblem, "");
    EXPECT_EQ(r.client.exitCode, 0) << r.client.text().toStdString();
    EXPECT_EQ(r.client.total("approved"), 1);
    EXPECT_TRUE(r.client.hasLine(QString("Info: Packet 1: TLS: TLSv1.%1, ").arg(c.tls13 ? 3 : 2)));
    EXPECT_TRUE(r.client.lines.contains("Info: Packet 1: MPPE keys match the TLS session"))
        << r.client.text().toStdString();
    EXPECT_EQ(r.client.countContaining("Error:"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Clients, HonestServer,
    ::testing::Values(HonestCase{"Tls12", Method::Tls, false}, HonestCase{"Tls13", Method::Tls, true},
                      HonestCase{"Peap12", Method::Peap, false}, HonestCase{"Peap13", Method::Peap, true},
                      HonestCase{"TtlsMsChapV2Tls12", Method::TtlsMsChapV2, false},
                      HonestCase{"TtlsMsChapV2Tls13", Method::TtlsMsChapV2, true},
                      HonestCase{"TtlsMd5Tls12", Method::TtlsMd5, false},
                      HonestCase{"TtlsMd5Tls13", Method::TtlsMd5, true}),
    [](const ::testing::TestParamInfo<HonestCase> &param) { return std::string(param.param.name); });

struct ForgedCase {
    const char *name;
    Method method;
    bool tls13;
    End end;
    const char *line;
    const char *serverProblem = ""; // what the server finds wrong with the client
};

void PrintTo(const ForgedCase &c, std::ostream *os)
{
    *os << c.name;
}

class ForgedEnd : public TunnelledMethods, public ::testing::WithParamInterface<ForgedCase> {};

TEST_P(ForgedEnd, IsAnErrorAndNoApproval)
{
    const ForgedCase &c = GetParam();
    const auto r = run(settings(c.method, c.tls13, c.end), methodWords(c.method, s_pki->caFile()));
    ASSERT_TRUE(r.client.finished);
    EXPECT_EQ(r.serverProblem, c.serverProblem);
    EXPECT_TRUE(r.client.lines.contains(QString::fromUtf8(c.line))) << r.client.text().toStdString();
    EXPECT_TRUE(r.client.hasLine("Info: Received Access-Accept"));
    EXPECT_EQ(r.client.total("approved"), 0);
    EXPECT_EQ(r.client.exitCode, 1);
}

constexpr const char *kBeforeHandshake = "Error: Packet 1: Access-Accept before the TLS handshake ended";
constexpr const char *kBeforeProof = "Error: Packet 1: Access-Accept before the server proved it knows the password";
constexpr const char *kNoPeapResult = "Error: Packet 1: Access-Accept without PEAP's success result";
constexpr const char *kWrongKey = "Error: Packet 1: MS-MPPE-Recv-Key is not the key the TLS session gives";

INSTANTIATE_TEST_SUITE_P(
    Clients, ForgedEnd,
    ::testing::Values(
        ForgedCase{"TlsBeforeServerFinished", Method::Tls, false, End::AcceptBeforeHandshakeEnd, kBeforeHandshake},
        ForgedCase{"TlsWrongKeys", Method::Tls, false, End::WrongKeys, kWrongKey},
        ForgedCase{"Tls13WithoutCommitment", Method::Tls, true, End::NoCommitment,
                   "Error: Packet 1: Access-Accept without the server's TLS 1.3 commitment message"},
        ForgedCase{"Tls13KeysOfTls12", Method::Tls, true, End::WrongKeys, kWrongKey},
        ForgedCase{"PeapBeforeTunnel", Method::Peap, false, End::AcceptBeforeHandshakeEnd, kBeforeHandshake},
        ForgedCase{"PeapBeforeInnerSuccess", Method::Peap, false, End::AcceptBeforeInnerEnd, kBeforeProof},
        ForgedCase{"PeapWithoutResult", Method::Peap, false, End::AcceptWithoutResult, kNoPeapResult},
        ForgedCase{"PeapAfterFailureResult", Method::Peap, false, End::FailureResultThenAccept, kNoPeapResult},
        // The client does not confirm a success it has not seen.
        ForgedCase{"PeapSuccessResultInPlaceOfInner", Method::Peap, false, End::SuccessResultFirst, kBeforeProof,
                   "the client's Result TLV: 800300020002"},
        ForgedCase{"PeapWrongKeys", Method::Peap, false, End::WrongKeys, kWrongKey},
        ForgedCase{"Peap13KeysOfTls12", Method::Peap, true, End::WrongKeys, kWrongKey},
        ForgedCase{"TtlsBeforeTunnel", Method::TtlsMsChapV2, false, End::AcceptBeforeHandshakeEnd, kBeforeHandshake},
        ForgedCase{"TtlsBeforeMsChapV2Success", Method::TtlsMsChapV2, false, End::AcceptBeforeInnerEnd, kBeforeProof},
        ForgedCase{"TtlsBeforeMd5Answered", Method::TtlsMd5, false, End::AcceptBeforeInnerEnd,
                   "Error: Packet 1: Access-Accept before the inner EAP-MD5 was answered"},
        ForgedCase{"TtlsWrongKeys", Method::TtlsMsChapV2, false, End::WrongKeys, kWrongKey},
        ForgedCase{"Ttls13KeysOfTls12", Method::TtlsMd5, true, End::WrongKeys, kWrongKey}),
    [](const ::testing::TestParamInfo<ForgedCase> &param) { return std::string(param.param.name); });

// The exchange's lines, held until it ends, each round as "Access-Challenge n of m".
struct RoundsCase {
    const char *name;
    Method method;
    bool otherCa;            // the client trusts a CA that did not sign the server's certificate
    QByteArray script;       // the packet
    bool withholdAccept;     // the server's Access-Accept never comes
    const char *end;         // the line that tells how the exchange ended, if one does
    QStringList heldInOrder; // held lines after the first round's, in this order
};

void PrintTo(const RoundsCase &c, std::ostream *os)
{
    *os << c.name;
}

class HeldRounds : public TunnelledMethods, public ::testing::WithParamInterface<RoundsCase> {};

TEST_P(HeldRounds, AreWrittenInOrderWhenTheExchangeEnds)
{
    const RoundsCase &c = GetParam();
    const QString ca = c.otherCa ? s_pki->otherCaFile() : s_pki->caFile();
    const auto r = run(settings(c.method, false), methodWords(c.method, ca), c.withholdAccept, c.script);
    ASSERT_TRUE(r.client.finished);
    const QStringList &lines = r.client.lines;
    const QString all = r.client.text();
    const qsizetype challenges = lines.filter(QRegularExpression("^Info: Received Access-Challenge ")).size();
    ASSERT_GE(challenges, 2) << all.toStdString();
    // The first round's line comes after every exchange of the packet, and how it ended.
    const qsizetype first = lines.indexOf(QString("Info: Packet 1: Access-Challenge 1 of %1").arg(challenges));
    ASSERT_GE(first, 0) << all.toStdString();
    if (*c.end) {
        const qsizetype end = lines.indexOf(QRegularExpression(QRegularExpression::escape(c.end) + ".*"));
        ASSERT_GE(end, 0) << c.end << "\n" << all.toStdString();
        EXPECT_LT(end, first) << all.toStdString();
    }
    EXPECT_LT(lines.lastIndexOf(QRegularExpression("^Info: Received .*")), first);
    // Each round in its turn, among the other held lines in theirs.
    qsizetype at = first;
    for (qsizetype n = 2; n <= challenges; ++n) {
        const qsizetype round =
            lines.indexOf(QString("Info: Packet 1: Access-Challenge %1 of %2").arg(n).arg(challenges));
        EXPECT_GT(round, at) << n << "\n" << all.toStdString();
        at = std::max(at, round);
    }
    at = first;
    for (const QString &expected : c.heldInOrder) {
        const qsizetype found = lines.indexOf(QRegularExpression(QRegularExpression::escape(expected) + ".*"), at + 1);
        EXPECT_GT(found, at) << expected.toStdString() << "\n" << all.toStdString();
        at = std::max(at, found);
    }
    EXPECT_EQ(lines.filter(QRegularExpression("^Info: Packet 1: Access-Challenge ")).size(), challenges);
}

INSTANTIATE_TEST_SUITE_P(
    Clients, HeldRounds,
    ::testing::Values(
        RoundsCase{"Accept",
                   Method::Tls,
                   false,
                   kBob,
                   false,
                   "Info: Received Access-Accept",
                   {"Info: Packet 1: TLS: TLSv1.2, ",
                    "Info: Packet 1: server certificate: CN=server.test, valid until ",
                    "Info: Packet 1: MPPE keys match the TLS session"}},
        RoundsCase{"Reject",
                   Method::Peap,
                   false,
                   "User-Name = bob\nUser-Password = wrong\n\n",
                   false,
                   "Info: Received Access-Reject",
                   {"Info: Packet 1: TLS: TLSv1.2, ", "Info: Packet 1: server certificate: CN=server.test"}},
        RoundsCase{"ErrorInTheHandshake",
                   Method::Peap,
                   true,
                   kBob,
                   false,
                   "",
                   {"Error: Packet 1: TLS handshake failed: certificate verify failed"}},
        RoundsCase{"NoReply",
                   Method::TtlsMsChapV2,
                   false,
                   kBob,
                   true,
                   "Error: No reply to Access-Request",
                   {"Info: Packet 1: TLS: TLSv1.2, ", "Info: Packet 1: server certificate: CN=server.test",
                    "Info: Packet 1: inner MS-CHAPv2 success verified"}}),
    [](const ::testing::TestParamInfo<RoundsCase> &param) { return std::string(param.param.name); });

} // namespace
