#include "FakeReplyServer.h"
#include "ServerSuite.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

// The -R records file: a JSON line per exchange, beside the human lines, which stay as
// they are without it.

namespace {

QList<QJsonObject> recordsIn(const testsupport::TempProgramDir &dir, const QString &file)
{
    QList<QJsonObject> records;
    for (const QByteArray &line : dir.readFile(file).split('\n')) {
        if (line.isEmpty())
            continue;
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(line, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
        records << document.object();
    }
    return records;
}

QString valueOf(const QJsonObject &record, const QString &attribute)
{
    for (const auto &pair : record.value("attributes").toArray())
        if (pair.toObject().value("name").toString() == attribute)
            return pair.toObject().value("value").toString();
    return {};
}

// The lines with every time taken out, so two runs compare.
QStringList withoutTimes(const QStringList &lines)
{
    static const QRegularExpression number(QStringLiteral("[0-9]+\\.[0-9]+"));
    QStringList out;
    for (QString line : lines)
        out << line.replace(number, QStringLiteral("T"));
    return out;
}

class Records : public ServerSuite {};

TEST_F(Records, OneLinePerExchangeWhileTheHumanLinesStayAsTheyAre)
{
    const QByteArray script =
        "User-Name = bob\r\nUser-Password = hello\r\n\r\n"
        "User-Name = bob\r\nUser-Password = wrong\r\n\r\n";
    const QStringList words = {"-sx", "-c", "2", "-i", "7", auth(), "1", secret()};
    const auto plain = m_runner.run(ClientRunner::radclient(), words, script);
    const auto recorded = m_runner.run(ClientRunner::radclient(), QStringList{"-R", "records.jsonl"} + words, script);
    ASSERT_TRUE(recorded.finished);
    EXPECT_EQ(recorded.exitCode, 0) << recorded.text().toStdString();
    EXPECT_EQ(withoutTimes(recorded.lines), withoutTimes(plain.lines));

    const QList<QJsonObject> records = recordsIn(m_runner.dir(), "records.jsonl");
    ASSERT_EQ(records.size(), 4);
    for (int k = 0; k < 4; ++k) {
        const QJsonObject &record = records[k];
        EXPECT_EQ(record.value("packet").toInt(), k % 2 + 1);
        EXPECT_EQ(record.value("repetition").toInt(), k / 2 + 1);
        EXPECT_EQ(record.value("id").toInt(), 7 + k);
        EXPECT_EQ(record.value("request").toInt(), 1);
        EXPECT_EQ(record.value("reply").toInt(), k % 2 == 0 ? 2 : 3);
        EXPECT_TRUE(record.value("ms").isDouble());
        EXPECT_EQ(record.value("retries").toInt(), 0);
        EXPECT_TRUE(record.value("verified").toBool());
    }
    EXPECT_EQ(valueOf(records[0], "Reply-Message"), "Hello, bob"); // as the dictionary prints it, unquoted
    EXPECT_TRUE(recorded.lines.contains("\tReply-Message = \"Hello, bob\""));
}

TEST_F(Records, EveryExchangeOfAnEapConversationHasItsLine)
{
    const auto r = m_runner.run(ClientRunner::radeapclient(), {"-R", "eap.jsonl", auth(), "1", secret()},
                                "User-Name = bob\r\nEAP-MD5-Password = hello\r\n\r\n");
    ASSERT_EQ(r.exitCode, 0) << r.text().toStdString();
    const QList<QJsonObject> records = recordsIn(m_runner.dir(), "eap.jsonl");
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].value("reply").toInt(), 11); // the challenge
    EXPECT_EQ(records[1].value("reply").toInt(), 2);
    for (const QJsonObject &record : records) {
        EXPECT_EQ(record.value("packet").toInt(), 1);
        EXPECT_EQ(record.value("repetition").toInt(), 1);
    }
    EXPECT_EQ(records[1].value("id").toInt(), records[0].value("id").toInt() + 1);
}

TEST(RecordsWithoutAnswer, LostAndUnverifiedRepliesAreRecordedAsNone)
{
    // Every request gets a reply signed with another secret, which does not verify.
    FakeReplyServer server(
        [](const QByteArray &request) { return FakeReplyServer::signedReply(request, 2, {}, "other"); }, 10);
    ASSERT_TRUE(server.isListening());
    ClientRunner runner;
    const QString address = QStringLiteral("127.0.0.1:%1").arg(server.port());
    const auto r =
        runner.run(ClientRunner::radclient(), {"-R", "lost.jsonl", "-r", "1", "-t", "0.2", address, "4", "testing123"},
                   "User-Name = bob\r\nAcct-Status-Type = Start\r\n\r\n");
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 1);
    const QList<QJsonObject> records = recordsIn(runner.dir(), "lost.jsonl");
    ASSERT_EQ(records.size(), 1) << r.text().toStdString();
    const QJsonObject &lost = records[0];
    EXPECT_EQ(lost.value("packet").toInt(), 1);
    EXPECT_EQ(lost.value("id").toInt(), 0);
    EXPECT_EQ(lost.value("request").toInt(), 4);
    EXPECT_TRUE(lost.value("reply").isNull());
    EXPECT_TRUE(lost.value("ms").isNull());
    EXPECT_TRUE(lost.value("attributes").toArray().isEmpty());
    EXPECT_EQ(lost.value("retries").toInt(), 1);
    EXPECT_FALSE(lost.value("verified").toBool());
}

TEST(RecordsOption, ShownInTheUsageAndRefusedWhenTheFileCannotBeWritten)
{
    ClientRunner runner;
    for (const QString &program : {ClientRunner::radclient(), ClientRunner::radeapclient()}) {
        const auto usage = runner.runWords(program, {"-R"});
        EXPECT_EQ(usage.exitCode, 2);
        EXPECT_TRUE(usage.hasLine("Error: option -R needs a value")) << usage.text().toStdString();
        EXPECT_TRUE(usage.hasLine("  -R file      write a JSON line per exchange to the file, as each exchange ends"));
    }

    FakeReplyServer server([](const QByteArray &) { return QByteArray(); }, 1);
    ASSERT_TRUE(server.isListening());
    const QString address = QStringLiteral("127.0.0.1:%1").arg(server.port());
    const auto refused =
        runner.run(ClientRunner::radclient(), {"-R", "no-such-folder/records.jsonl", address, "1", "testing123"},
                   "User-Name = bob\r\n\r\n");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(
        refused.hasLine("Error: Cannot write the records file no-such-folder/records.jsonl: No such file or "
                        "directory"))
        << refused.text().toStdString();
    EXPECT_EQ(refused.countContaining("Sent "), 0);
}

} // namespace
