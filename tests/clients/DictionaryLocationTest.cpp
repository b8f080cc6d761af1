#include "ClientRunner.h"
#include "FakeReplyServer.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A client started from a shell, in a directory of its own: it finds the dictionary beside
// itself, or where -d says.

namespace {

const QByteArray kSecret = "testing123";

class ClientDictionary : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.isListening());
        ASSERT_TRUE(elsewhere.isValid());
        ASSERT_TRUE(runner.dir().writeFile("script/test.txt", "User-Name = bob\nUser-Password = hello\n"));
    }

    QStringList words(const QStringList &options)
    {
        return options + QStringList{"-f", runner.dir().filePath("script/test.txt"),          "-r", "0",    "-t",
                                     "2",  QStringLiteral("127.0.0.1:%1").arg(server.port()), "1",  kSecret};
    }

    FakeReplyServer server{
        [](const QByteArray &request) { return FakeReplyServer::signedReply(request, 2, {}, kSecret); }, 4};
    QTemporaryDir elsewhere; // a current directory without a dictionary
    ClientRunner runner;
};

TEST_F(ClientDictionary, BesideTheProgramFromAnyDirectory)
{
    const QString copy = runner.dir().filePath("radclient");
    ASSERT_TRUE(QFile::copy(ClientRunner::radclient(), copy));
    ASSERT_TRUE(QFile::setPermissions(copy, QFile::ReadOwner | QFile::ExeOwner));
    const auto r = runner.runIn(elsewhere.path(), copy, words({}));
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.text().toStdString();
    EXPECT_EQ(r.countContaining("Info: Received Access-Accept"), 1) << r.text().toStdString();
}

TEST_F(ClientDictionary, GivenWithDashD)
{
    for (const QString &program : {ClientRunner::radclient(), ClientRunner::radeapclient()}) {
        const auto r = runner.runIn(elsewhere.path(), program, words({"-d", runner.dir().filePath("dictionary")}));
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, 0) << program.toStdString() << "\n" << r.text().toStdString();
        EXPECT_EQ(r.countContaining("Info: Received Access-Accept"), 1) << r.text().toStdString();
    }
}

TEST_F(ClientDictionary, MissingOneNamesWhereItLooked)
{
    const QString missing = elsewhere.filePath("none");
    const auto r = runner.runIn(elsewhere.path(), ClientRunner::radclient(), words({"-d", missing}));
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.countContaining("Error: Cannot read the dictionary (looked for " + missing + "/dictionary): "), 1)
        << r.text().toStdString();
    EXPECT_EQ(r.countContaining("Sent "), 0);
    EXPECT_EQ(server.answered(), 0);
}

} // namespace
