// The private server's configuration carries the secret and its own directory as they
// are, whatever characters they hold: the server answers, signing with that secret.

#include "support/FreeRadiusServer.h"
#include "support/UdpExchange.h"

#include <QCryptographicHash>
#include <QDir>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace {

constexpr int kReplyTimeoutMs = 3000;
constexpr char kStatusServer = 12;
constexpr char kAccessAccept = 2;
constexpr char kMessageAuthenticator = 80;

// A Status-Server request signed with the secret (Message-Authenticator); the server
// answers it only when that verifies.
QByteArray statusServer(char identifier, const QByteArray &secret)
{
    QByteArray request(20, '\0');
    request[0] = kStatusServer;
    request[1] = identifier;
    for (int i = 4; i < 20; ++i)
        request[i] = char(QRandomGenerator::global()->bounded(256));
    request += kMessageAuthenticator;
    request += char(18);
    request += QByteArray(16, '\0');
    request[3] = char(request.size());
    request.replace(22, 16, QMessageAuthenticationCode::hash(request, secret, QCryptographicHash::Md5));
    return request;
}

// The Response Authenticator the server computes with the secret it read.
bool signedWith(const QByteArray &reply, const QByteArray &request, const QByteArray &secret)
{
    const QByteArray expected =
        QCryptographicHash::hash(reply.left(4) + request.mid(4, 16) + reply.mid(20) + secret, QCryptographicHash::Md5);
    return reply.mid(4, 16) == expected;
}

struct AwkwardCase {
    const char *name;
    const char *secret;
    const char *directory; // the temporary directory's parent, below TMPDIR
};

void PrintTo(const AwkwardCase &c, std::ostream *os)
{
    *os << c.name;
}

class FreeRadiusServerText : public ::testing::TestWithParam<AwkwardCase> {
protected:
    void SetUp() override
    {
        if (!testsupport::FreeRadiusServer::isInstalled())
            GTEST_SKIP() << "FreeRADIUS server not installed";
    }
    // The server's QTemporaryDir is made below TMPDIR, pointed here for the test.
    void TearDown() override
    {
        if (m_oldTmp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", m_oldTmp);
    }
    QByteArray m_oldTmp = qgetenv("TMPDIR");
    QTemporaryDir m_parent;
};

TEST_P(FreeRadiusServerText, ServerReadsTheSecretAndDirectoryAsTheyAre)
{
    const AwkwardCase &c = GetParam();
    ASSERT_TRUE(m_parent.isValid());
    const QString tmp = QDir(m_parent.path()).filePath(QString::fromUtf8(c.directory));
    ASSERT_TRUE(QDir().mkpath(tmp));
    qputenv("TMPDIR", tmp.toLocal8Bit());

    testsupport::FreeRadiusServer server;
    server.setSecret(QString::fromUtf8(c.secret));
    server.addStandardUsers();
    QString error;
    ASSERT_TRUE(server.start(&error)) << error.toStdString();
    ASSERT_TRUE(server.configDir().startsWith(tmp)) << server.configDir().toStdString();

    const QByteArray secret = QByteArray(c.secret);
    const QByteArray request = statusServer(42, secret);
    const auto reply = testsupport::udpExchange(server.authPort(), request, kReplyTimeoutMs);
    ASSERT_TRUE(reply) << "no reply\n" << server.output().toStdString();
    EXPECT_EQ(reply->at(0), kAccessAccept);
    EXPECT_EQ(reply->at(1), 42);
    EXPECT_TRUE(signedWith(*reply, request, secret)) << "the server signed with another secret";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FreeRadiusServerText,
    ::testing::Values(AwkwardCase{"Plain", "testing123", "plain"},
                      AwkwardCase{"QuotesAndBackslashes", R"(it's "a" \secret)", R"(it's "a" \dir)"},
                      AwkwardCase{"ExpansionAndCommentSigns", "${confdir} #1 $INCLUDE", "${raddbdir} #1"}),
    [](const ::testing::TestParamInfo<AwkwardCase> &param) { return std::string(param.param.name); });

TEST(FreeRadiusConfigText, RefusesASecretItsReaderWouldMisread)
{
    // The reader takes \' as a quote and keeps \\ as it stands: a backslash before a
    // quote or at the end cannot be written.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char *secret : {R"(ends in \)", R"(a \' b)"}) {
        demoserver::FreeRadiusConfig config;
        config.secret = QString::fromUtf8(secret);
        QString error;
        EXPECT_FALSE(config.write(dir.path(), &error)) << secret;
        EXPECT_TRUE(error.contains(QStringLiteral("backslash"))) << error.toStdString();
    }
}

} // namespace
