#include "dictmanager/QtPrinters.h"
#include "groupfile/GroupFileReader.h"
#include "groupfile/GroupFileTransfer.h"
#include "groupfile/GroupFileWriter.h"
#include "platform/WholeFile.h"
#include "support/Moments.h"
#include "support/SampleTask.h"
#include "support/TempProgramDir.h"
#include "taskdef/TaskSaver.h"
#include "taskstore/Connection.h"
#include "taskstore/DateTimeText.h"
#include "taskstore/ExpectationStore.h"
#include "taskstore/GroupStore.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace groupfile;
using taskstore::DateTimeText;
using testsupport::at;

namespace {
const QDateTime kNow = at("2026-03-20T09:30:00");

class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale &locale) { DateTimeText::setLocale(locale); }
    ~LocaleGuard() { DateTimeText::setLocale(QLocale::system()); }
};

scheduling::ScheduleListRow rule(int type, const QString &value, const QString &start)
{
    scheduling::ScheduleListRow row;
    row.type = type;
    row.value = value;
    row.startTime = start;
    return row;
}

// What a stored task is, without its keys: values, rules in their portable form, script.
struct StoredTask {
    taskstore::TaskRecord task;
    QStringList rules;
    QList<taskstore::PacketExpectation> expectations;
    std::optional<QByteArray> script;
};

class Database {
public:
    taskstore::Connection connection{taskstore::Connection::defaultPath()};

    QString addGroup(const QString &name)
    {
        taskstore::GroupStore groups(connection);
        QString id = groups.newGroupId().value();
        EXPECT_TRUE(groups.add(id, name).ok());
        return id;
    }

    void save(const taskstore::TaskRecord &task, const QList<scheduling::ScheduleListRow> &rules,
              const std::optional<QByteArray> &script, const QList<taskstore::PacketExpectation> &expectations = {})
    {
        ASSERT_TRUE(taskstore::ExpectationStore(connection).replace(task.TaskID, expectations).ok());
        taskdef::TaskDraft draft;
        draft.task = task;
        draft.schedules = rules;
        draft.script = script;
        taskdef::TaskSaver(connection).save(draft, kNow);
    }

    QStringList groupNames()
    {
        QStringList names;
        const QList<taskstore::GroupRow> rows = taskstore::GroupStore(connection).groups().value();
        for (const taskstore::GroupRow &row : rows)
            names << row.name;
        return names;
    }

    // Every stored task by name.
    std::map<QString, StoredTask> tasks()
    {
        std::map<QString, StoredTask> out;
        taskstore::Query list(connection);
        taskstore::OpenQuery(list, taskstore::sql::selectTaskList());
        taskstore::Query query(connection);
        for (list.first(); !list.atEnd(); list.next()) {
            StoredTask stored;
            stored.task = taskstore::readTaskRecord(query, list.asText("TaskID"));
            for (const taskstore::ScheduleRecord &row : taskstore::readScheduleRecords(query, stored.task.TaskID))
                stored.rules << QStringLiteral("%1 %2 %3 %4 %5")
                                    .arg(row.ScheduleType)
                                    .arg(row.value)
                                    .arg(row.withweek, DateTimeText::parseTime(row.StartTime).toString("HH:mm:ss"),
                                         DateTimeText::toStorage(row.NextRunTime));
            stored.expectations = taskstore::ExpectationStore(connection).expectationsOf(stored.task.TaskID).value();
            QFile file(taskstore::scriptFilePath(stored.task.TaskID));
            if (file.open(QIODevice::ReadOnly))
                stored.script = file.readAll();
            out[stored.task.TaskName] = stored;
        }
        return out;
    }
};

void expectSameTask(const StoredTask &actual, const StoredTask &expected, const QString &name)
{
    SCOPED_TRACE(name.toStdString());
    const taskstore::TaskRecord &a = actual.task;
    const taskstore::TaskRecord &e = expected.task;
    EXPECT_EQ(a.TaskName, name);
    EXPECT_EQ(a.ServerIP, e.ServerIP);
    EXPECT_EQ(a.SecretKey, e.SecretKey);
    EXPECT_EQ(a.AuthMode, e.AuthMode);
    EXPECT_TRUE(a.Eap == e.Eap);
    EXPECT_TRUE(a.Transport == e.Transport);
    const std::array<int, 11> actualNumbers = {
        a.Port,       a.RequestType, a.RequestTypeCode, a.RunType,     a.StartID, a.ReplyTimeout,
        a.RetryTimes, a.RepeatTimes, a.NumPerSec,       a.NumInParall, 0};
    const std::array<int, 11> expectedNumbers = {
        e.Port,       e.RequestType, e.RequestTypeCode, e.RunType,     e.StartID, e.ReplyTimeout,
        e.RetryTimes, e.RepeatTimes, e.NumPerSec,       e.NumInParall, 0};
    EXPECT_EQ(actualNumbers, expectedNumbers);
    EXPECT_EQ(actual.rules, expected.rules);
    EXPECT_EQ(actual.expectations, expected.expectations);
    EXPECT_EQ(actual.script, expected.script);
}

taskstore::AttributeCheck check(const QString &attribute, taskstore::CheckOperator op, const QString &value = {})
{
    return {attribute, op, value};
}

// Each reply code kind, a time limit, every operator, values that need escapes.
QList<taskstore::PacketExpectation> richExpectations()
{
    using taskstore::CheckOperator;
    taskstore::PacketExpectation first;
    first.packetNumber = 1;
    first.replyCode = taskstore::replycode::kAccountingResponse;
    first.timeLimitMs = 50;
    first.checks = {check("Framed-IP-Address", CheckOperator::Present), check("Class", CheckOperator::Absent),
                    check("Reply-Message", CheckOperator::Equals, QString::fromUtf8("\"hi\" \\ \xE4\xB8\xAD")),
                    check("Filter-Id", CheckOperator::Contains, "std"),
                    check("Reply-Message", CheckOperator::Matches, "^Wel+come\\s\\d{2,}$")};
    taskstore::PacketExpectation third;
    third.packetNumber = 3;
    third.replyCode = taskstore::replycode::kNoReply;
    taskstore::PacketExpectation fourth;
    fourth.packetNumber = 4;
    fourth.replyCode = 99; // a code without a name
    return {first, third, fourth};
}

// Every value set apart from its default, schedules of each kind, scripts with escapes.
void storeRichGroup(Database &db)
{
    const QString group = db.addGroup(QString::fromUtf8("Lab \"A\" \xE6\xB5\x8B\xE8\xAF\x95"));
    taskstore::TaskRecord scheduled = testsupport::sampleTask("1");
    scheduled.GroupID = group;
    scheduled.TaskName = "Accounting \"start\" \\ stop";
    scheduled.ServerIP = "::1";
    scheduled.SecretKey = QString::fromUtf8(
        "s\xC3\xA9"
        "cret 'quoted' \"double\"\t\\");
    scheduled.Port = 1813;
    scheduled.RequestType = taskstore::kAcct;
    scheduled.RequestTypeCode = 4;
    scheduled.AuthMode = "CHAP";
    scheduled.RunType = taskstore::kRunBySchedule;
    scheduled.StartID = 17;
    scheduled.ReplyTimeout = 9;
    scheduled.RetryTimes = 2;
    scheduled.RepeatTimes = 250;
    scheduled.NumPerSec = 40;
    scheduled.NumInParall = 6;
    db.save(scheduled,
            {rule(0, "5", "0"), rule(1, "2", DateTimeText::timeText(QTime(8, 15, 30))), rule(2, "3", "0"),
             rule(3, "1010100", DateTimeText::timeText(QTime(23, 59, 59))), rule(4, "31", "0"),
             rule(5, DateTimeText::dateTimeText(at("2026-12-01T10:00:00")), DateTimeText::timeText(QTime(7, 0)))},
            QByteArray("Acct-Status-Type = Start\r\nUser-Name = \"b\\\"ob\"\r\nClass = 0x00ff\r\n"
                       "Reply-Message = \"\xFF\xFE not UTF-8\"\r\nbare\rreturn and\nnewline\r\n\r\n"
                       "Filter-Id = \"\xE4\xB8\xAD\"\r\nno final line end"),
            richExpectations());

    taskstore::TaskRecord manual = testsupport::sampleTask("2");
    manual.GroupID = group;
    manual.TaskName = QString::fromUtf8("PAP \xE4\xB8\xAD\xE6\x96\x87");
    db.save(manual, {}, QByteArray("User-Name = \"bob\"\r\nUser-Password = \"hello\"\r\n\r\n"));

    taskstore::TaskRecord noScript = testsupport::sampleTask("3");
    noScript.GroupID = group;
    noScript.TaskName = "Status";
    noScript.RequestType = taskstore::kStatusServer;
    db.save(noScript, {}, std::nullopt);

    taskstore::TaskRecord emptyScript = testsupport::sampleTask("4");
    emptyScript.GroupID = group;
    emptyScript.TaskName = "Empty script";
    db.save(emptyScript, {}, QByteArray());

    // Another group's task stays out of the file.
    taskstore::TaskRecord elsewhere = testsupport::sampleTask("5");
    elsewhere.GroupID = db.addGroup("Other");
    elsewhere.TaskName = "Elsewhere";
    db.save(elsewhere, {}, std::nullopt);
}

QString firstGroupId(Database &db)
{
    const QList<taskstore::GroupRow> rows = taskstore::GroupStore(db.connection).groups().value();
    return rows.first().id;
}
} // namespace

TEST(GroupFileTest, ARichGroupComesBackWholeOnAnotherMachine)
{
    QTemporaryDir files;
    const QString path = files.filePath("lab.pellion-group");
    std::map<QString, StoredTask> original;
    QByteArray exported;
    {
        const LocaleGuard english(QLocale("en_US"));
        testsupport::TempProgramDir dir;
        Database db;
        storeRichGroup(db);
        original = db.tasks();
        ASSERT_EQ(exportGroupToFile(db.connection, firstGroupId(db), db.groupNames().first(), path), "");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        exported = file.readAll();
    }
    // Portable: no regional date in the file, one line per value.
    EXPECT_TRUE(exported.contains("  schedule once \"2026-12-01 07:00:00\" start \"07:00:00\"\n"));
    EXPECT_TRUE(exported.contains("  schedule weekly \"1010100\" start \"23:59:59\"\n"));
    EXPECT_FALSE(exported.contains("Elsewhere"));

    const LocaleGuard german(QLocale("de_DE"));
    testsupport::TempProgramDir dir;
    Database db;
    const ImportResult result = importGroupFromFile(db.connection, path, kNow);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(db.groupNames(), QStringList{QString::fromUtf8("Lab \"A\" \xE6\xB5\x8B\xE8\xAF\x95")});
    std::map<QString, StoredTask> imported = db.tasks();
    ASSERT_EQ(imported.size(), 4u);
    for (const auto &[name, task] : imported)
        expectSameTask(task, original.at(name), name);

    // Written again from the imported group, the file is the same octets.
    const QString again = files.filePath("again.pellion-group");
    ASSERT_EQ(exportGroupToFile(db.connection, result.imported.groupId, result.groupName, again), "");
    QFile file(again);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), exported);
}

TEST(GroupFileTest, WritesOneValueALineInNameOrder)
{
    GroupDocument document;
    document.groupName = "Smoke";
    GroupTask second;
    second.task = testsupport::sampleTask();
    second.task.TaskName = "b-second";
    second.script = QByteArray("User-Name = \"bob\"\r\n\r\n");
    GroupTask first;
    first.task = testsupport::sampleTask();
    first.task.TaskName = "a-first";
    first.task.RunType = taskstore::kRunBySchedule;
    first.schedules = {rule(0, "5", "0")};
    taskstore::PacketExpectation expectation;
    expectation.packetNumber = 2;
    expectation.replyCode = taskstore::replycode::kAccessAccept;
    expectation.timeLimitMs = 50;
    expectation.checks = {check("Framed-IP-Address", taskstore::CheckOperator::Present),
                          check("Reply-Message", taskstore::CheckOperator::Equals, "a\"b")};
    first.expectations = {expectation};
    second.expectations = {expectation}; // after the script in memory, before it in the file
    document.tasks = {second, first};

    const QByteArray options =
        "  ServerIP \"127.0.0.1\"\n  SecretKey \"testing123\"\n  Port 1812\n  RequestType 0\n"
        "  RequestTypeCode 1\n  AuthMode \"PAP\"\n";
    const QByteArray counts =
        "  StartID 0\n  ReplyTimeout 3\n  RetryTimes 3\n  RepeatTimes 1\n  NumPerSec 0\n"
        "  NumInParall 1\n";
    const QByteArray expectations =
        "  expect 2 reply \"Access-Accept\"\n  expect 2 within 50\n"
        "  expect 2 check \"Framed-IP-Address\" present\n"
        "  expect 2 check \"Reply-Message\" equals \"a\\\"b\"\n";
    EXPECT_EQ(writeGroupFile(document),
              "# Pellion task group\nformat 1\ngroup \"Smoke\"\n\n"
              "task \"a-first\"\n" + options + "  RunType 1\n" + counts
                  + "  schedule every-minutes \"5\" start \"0\"\n" + expectations + "end\n\n"
                    "task \"b-second\"\n" + options + "  RunType 0\n" + counts
                  + expectations + "  script \"User-Name = \\\"bob\\\"\"\n  script \"\"\nend\n");
}

TEST(GroupFileTest, ImportNeverOverwritesAndNamesTakenGetASuffix)
{
    QTemporaryDir files;
    const QString path = files.filePath("lab.pellion-group");
    testsupport::TempProgramDir dir;
    Database db;
    storeRichGroup(db);
    // Two tasks of one name in the file.
    taskstore::TaskRecord twin = testsupport::sampleTask("6");
    twin.GroupID = firstGroupId(db);
    twin.TaskName = "Status";
    twin.Port = 1645;
    db.save(twin, {}, std::nullopt);
    const std::map<QString, StoredTask> before = db.tasks();
    ASSERT_EQ(before.size(), 5u); // the two "Status" tasks share a key of the map
    ASSERT_EQ(exportGroupToFile(db.connection, firstGroupId(db), db.groupNames().first(), path), "");

    const ImportResult first = importGroupFromFile(db.connection, path, kNow);
    ASSERT_TRUE(first.ok()) << first.error.toStdString();
    const ImportResult second = importGroupFromFile(db.connection, path, kNow);
    ASSERT_TRUE(second.ok()) << second.error.toStdString();

    EXPECT_EQ(first.imported.groupId, firstGroupId(db)); // the group of that name, not a new one
    EXPECT_EQ(db.groupNames().size(), 2);
    EXPECT_EQ(first.imported.taskNames,
              QStringList({"Accounting \"start\" \\ stop (2)", "Empty script (2)",
                           QString::fromUtf8("PAP \xE4\xB8\xAD\xE6\x96\x87 (2)"), "Status (2)", "Status (3)"}));
    EXPECT_EQ(second.imported.taskNames.last(), "Status (5)");
    const std::map<QString, StoredTask> after = db.tasks();
    for (const auto &[name, task] : before) {
        EXPECT_EQ(after.at(name).task.TaskID, task.task.TaskID);
        expectSameTask(after.at(name), task, name);
    }
    expectSameTask(after.at("Accounting \"start\" \\ stop (3)"), before.at("Accounting \"start\" \\ stop"),
                   "Accounting \"start\" \\ stop (3)");
}

TEST(GroupFileTest, ABrokenFileSaysWhichLineAndImportsNothing)
{
    const QByteArray head = "# comment\nformat 1\ngroup \"G\"\n";
    const QByteArray task = "task \"t\"\n  Port 1812\n";
    struct Case {
        QByteArray text;
        const char *error;
    };
    const std::string expectShape =
        "line 6: an expectation reads: expect <packet> reply \"<code>\", expect <packet> within <ms>, or expect "
        "<packet> check \"<attribute>\" <present|absent|equals|contains|matches> [\"<value>\"]";
    const Case cases[] = {
        {"", "line 1: the file names no group"},
        {"group \"G\"\n", "line 1: the file must start with \"format 1\""},
        {"format 2\n", "line 1: format 2 is not known"},
        {"format 1\n", "line 1: the file names no group"},
        {head + "group \"H\"\n", "line 4: a second \"group\" line"},
        {"format 1\ngroup \"\"\n", "line 2: the group name is empty"},
        {"format 1\ntask \"t\"\nend\n", "line 2: a task before the \"group\" line"},
        {head + task, "line 4: the task \"t\" has no \"end\""},
        {head + "task \"ok\"\nend\n\n" + task + "  Port 1813\nend\n", "line 9: \"Port\" is given twice"},
        {head + task + "  Port 70000\nend\n", "line 6: \"Port\" is given twice"},
        {head + "task \"t\"\n  Port 70000\nend\n", "line 5: Port must be a whole number from 0 to 65535"},
        {head + "task \"t\"\n  RetryTimes -1\nend\n", "line 5: RetryTimes must be a whole number from 0 to 2147483647"},
        {head + "task \"t\"\n  RequestType \"1\"\nend\n", "line 5: RequestType must be a whole number from 0 to 4"},
        {head + "task \"t\"\n  ServerIP 127.0.0.1\nend\n", "line 5: the value 127.0.0.1 must be in double quotes"},
        {head + "task \"t\"\n  ServerIP \"a\\qb\"\nend\n", "line 5: unknown escape \\q"},
        {head + "task \"t\"\n  ServerIP \"open\nend\n", "line 5: the quoted value is not closed"},
        {head + "task \"t\"\n  ServerIP \"\\xFF\"\nend\n", "line 5: the value is not UTF-8 text"},
        {head + "task \"t\"\n  SecretKey\nend\n", "line 5: \"SecretKey\" needs a value"},
        {head + "task \"t\"\n  SecretKey \"a\" \"b\"\nend\n", "line 5: unexpected \"b\" after \"SecretKey\""},
        {head + "task \"t\"\n  Colour \"red\"\nend\n", "line 5: unknown value \"Colour\""},
        {head + "Port 1\n", "line 4: \"Port\" outside a task"},
        {head + "task \"\"\nend\n", "line 4: the task name is empty"},
        {head + task + "  schedule hourly \"1\" start \"0\"\nend\n", "line 6: unknown schedule kind \"hourly\""},
        {head + task + "  schedule every-days \"0\" start \"0\"\nend\n",
         "line 6: the interval \"0\" is not a number from 1 to 9999"},
        {head + task + "  schedule weekly \"10101\" start \"0\"\nend\n",
         "line 6: the week days \"10101\" are not seven 0 or 1, Monday first"},
        {head + task + "  schedule monthly \"32\" start \"0\"\nend\n",
         "line 6: the day of the month \"32\" is not from 1 to 31"},
        {head + task + "  schedule once \"01.12.2026\" start \"0\"\nend\n",
         "line 6: the date \"01.12.2026\" is not of the form yyyy-MM-dd HH:mm:ss"},
        {head + task + "  schedule every-days \"1\" start \"8 o'clock\"\nend\n",
         "line 6: the start time \"8 o'clock\" is not 0 or HH:mm:ss"},
        {head + task + "  schedule every-days \"1\" at \"0\"\nend\n",
         "line 6: a schedule reads: schedule <kind> \"<value>\" start \"<time>\""},
        {head + task + "  script \"a\"\n  Port 1\nend\n", "line 7: \"Port\" after the script lines"},
        {head + task + "  script \"a\"\n  expect 1 within 5\nend\n", "line 7: \"expect\" after the script lines"},
        {head + task + "  expect 1 reply \"Access-Accepted\"\nend\n",
         "line 6: \"Access-Accepted\" is not a reply code"},
        {head + task + "  expect 1 reply \"300\"\nend\n", "line 6: \"300\" is not a reply code"},
        {head + task + "  expect 1 reply \"2\"\n  expect 1 reply \"3\"\nend\n",
         "line 7: packet 1 has a second reply code"},
        {head + task + "  expect 1 within 0\nend\n",
         "line 6: the time limit must be a whole number of milliseconds above 0"},
        {head + task + "  expect 2 within 5\n  expect 2 within 6\nend\n", "line 7: packet 2 has a second time limit"},
        {head + task + "  expect 1 check \"Class\" equals\nend\n", "line 6: \"equals\" needs a value"},
        {head + task + "  expect 1 check \"Class\" absent \"x\"\nend\n", "line 6: \"absent\" takes no value"},
        {head + task + "  expect 0 within 5\nend\n", expectShape.c_str()},
        {head + task + "  expect 1 check \"Class\" resembles \"x\"\nend\n", expectShape.c_str()},
        {head + task + "  expect 1 check Class present\nend\n", "line 6: the value Class must be in double quotes"},
        {head + task + "  expect 1\nend\n", expectShape.c_str()},
        {head + task + "  script-end \"a\"\n  script \"b\"\nend\n", "line 7: only \"end\" may follow \"script-end\""},
        {head + task + "end now\n", "line 6: unexpected \"now\" after \"end\""},
        {head + task + "  \"Port\" 1\nend\n", "line 6: a line must start with a word, not a quoted value"},
        {head + task + "  ServerIP \"a\"b\nend\n", "line 6: a blank must follow the closing quote"},
        {head + task + "  EapInnerMethod \"chap\"\nend\n",
         "line 6: EapInnerMethod must be \"pap\", \"mschapv2\" or \"md5\""},
        {head + task + "  EapVerifyServer 2\nend\n", "line 6: EapVerifyServer must be 0 or 1"},
        {head + task + "  TransportProtocol \"sctp\"\nend\n",
         "line 6: TransportProtocol must be \"udp\", \"tcp\" or \"tls\""},
        {head + task + "  TransportRequireMessageAuthenticator yes\nend\n",
         "line 6: TransportRequireMessageAuthenticator must be 0 or 1"},
        {head + task + "  EapCaFile \"a\"\n  EapCaFile \"b\"\nend\n", "line 7: \"EapCaFile\" is given twice"},
        {head + task + "  script \"a\"\n  EapCaFile \"b\"\nend\n", "line 7: \"EapCaFile\" after the script lines"},
    };

    QTemporaryDir files;
    testsupport::TempProgramDir dir;
    Database db;
    db.addGroup("G");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(readGroupFile(c.text).error, QString::fromUtf8(c.error));
        // The same file, with good tasks before the broken line, stores nothing.
        const QString path = files.filePath("broken");
        ASSERT_TRUE(platform::writeWholeFile(path, c.text));
        EXPECT_EQ(importGroupFromFile(db.connection, path, kNow).error, QString::fromUtf8(c.error));
    }
    EXPECT_TRUE(db.tasks().empty());
    EXPECT_EQ(db.groupNames(), QStringList{"G"});
    EXPECT_TRUE(QDir(dir.filePath("script")).isEmpty());
}

TEST(GroupFileTest, HandEditedFilesRead)
{
    // CR LF line ends, free indentation, comments and blank lines, values left out.
    const GroupFileReading reading = readGroupFile(
        "format 1\r\n# a comment\r\n\r\ngroup   \"G\"\r\ntask \"t\"\r\n\tPort\t1645\r\n"
        "    schedule monthly \"1\" start \"06:30:00\"\r\nscript-end \"x\"\r\nend\r\n");
    ASSERT_TRUE(reading.ok()) << reading.error.toStdString();
    ASSERT_EQ(reading.document.tasks.size(), 1);
    const GroupTask &task = reading.document.tasks.first();
    EXPECT_EQ(task.task.Port, 1645);
    EXPECT_EQ(task.task.ServerIP, "");
    ASSERT_EQ(task.schedules.size(), 1);
    EXPECT_EQ(task.schedules.first().startTime, DateTimeText::timeText(QTime(6, 30)));
    EXPECT_EQ(task.script, QByteArray("x"));
}

TEST(GroupFileTest, AFailedStepRemovesWhatTheImportStored)
{
    QTemporaryDir files;
    const QString path = files.filePath("g");
    ASSERT_TRUE(platform::writeWholeFile(
        path, "format 1\ngroup \"New\"\ntask \"a\"\nend\ntask \"b\"\n  script \"User-Name = x\"\nend\n"));

    testsupport::TempProgramDir dir;
    Database db;
    // The script folder is a file: the second task's script cannot be written.
    ASSERT_TRUE(QDir(dir.filePath("script")).removeRecursively());
    ASSERT_TRUE(dir.writeFile("script", "not a folder"));
    const ImportResult result = importGroupFromFile(db.connection, path, kNow);
    EXPECT_TRUE(result.error.contains("cannot be written")) << result.error.toStdString();
    EXPECT_TRUE(db.tasks().empty());
    EXPECT_TRUE(db.groupNames().isEmpty());
}

TEST(GroupFileTest, AFailedExportLeavesThePreviousFileWhole)
{
    QTemporaryDir files;
    const QString path = files.filePath("lab.pellion-group");
    ASSERT_TRUE(platform::writeWholeFile(path, "previous content"));

    testsupport::TempProgramDir dir;
    Database db;
    taskstore::TaskRecord task = testsupport::sampleTask("7");
    task.GroupID = db.addGroup("G");
    db.save(task, {}, std::nullopt);
    // A script that exists but cannot be read.
    ASSERT_TRUE(QDir().mkpath(taskstore::scriptFilePath("7")));
    EXPECT_TRUE(exportGroupToFile(db.connection, task.GroupID, "G", path).contains("could not be read"));
    QFile previous(path);
    ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
    EXPECT_EQ(previous.readAll(), "previous content");
    ASSERT_TRUE(QDir().rmdir(taskstore::scriptFilePath("7")));
    EXPECT_TRUE(exportGroupToFile(db.connection, task.GroupID, "G", files.filePath("missing/dir/x"))
                    .contains("cannot be written"));
}

// An enterprise mode's settings travel with its task, one line each where they differ from
// the defaults; a task at the defaults (and every file from before them) has no such line.
TEST(GroupFileTest, TransportAndEapSettingsTravelWithTheirTaskOnlyWhereSet)
{
    QTemporaryDir files;
    const QString path = files.filePath("eap.pellion-group");
    std::map<QString, StoredTask> original;
    QByteArray exported;
    {
        testsupport::TempProgramDir dir;
        Database db;
        const QString group = db.addGroup("Enterprise");
        taskstore::TaskRecord ttls = testsupport::sampleTask("1");
        ttls.GroupID = group;
        ttls.TaskName = "ttls";
        ttls.AuthMode = "EAP-TTLS";
        ttls.Eap.AnonymousIdentity = "anon \"outer\"@example.org";
        ttls.Eap.InnerMethod = "md5";
        ttls.Eap.VerifyServer = false;
        ttls.Eap.CertFile = QString::fromUtf8("/pki/\xE4\xB8\xAD.pem");
        ttls.Eap.KeyFile = "/pki/c.key";
        ttls.Transport.Protocol = "tcp";
        ttls.Transport.MessageAuthenticatorFirst = false;
        db.save(ttls, {}, QByteArray("User-Name = bob\r\n\r\n"));
        taskstore::TaskRecord peap = testsupport::sampleTask("2");
        peap.GroupID = group;
        peap.TaskName = "peap";
        peap.AuthMode = "PEAP";
        peap.Eap.CaFile = "/pki/ca.pem";
        peap.Transport.Protocol = "tls";
        peap.Transport.CaFile = "/pki/radsec ca.pem";
        peap.Transport.RequireMessageAuthenticator = true;
        db.save(peap, {}, std::nullopt);
        taskstore::TaskRecord tls = testsupport::sampleTask("3");
        tls.GroupID = group;
        tls.TaskName = "tls at the defaults";
        tls.AuthMode = "EAP-TLS";
        db.save(tls, {}, std::nullopt);
        original = db.tasks();
        ASSERT_EQ(exportGroupToFile(db.connection, group, "Enterprise", path), "");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        exported = file.readAll();
    }
    EXPECT_TRUE(
        exported.contains("  NumInParall 1\n  TransportProtocol \"tcp\"\n  TransportMessageAuthenticatorFirst 0\n"
                          "  EapAnonymousIdentity \"anon \\\"outer\\\"@example.org\"\n"
                          "  EapInnerMethod \"md5\"\n  EapVerifyServer 0\n"
                          "  EapCertFile \"/pki/\xE4\xB8\xAD.pem\"\n  EapKeyFile \"/pki/c.key\"\n  script "))
        << exported.toStdString();
    EXPECT_TRUE(
        exported.contains("  NumInParall 1\n  TransportProtocol \"tls\"\n  TransportCaFile \"/pki/radsec ca.pem\"\n"
                          "  TransportRequireMessageAuthenticator 1\n  EapCaFile \"/pki/ca.pem\"\nend\n"))
        << exported.toStdString();
    EXPECT_EQ(exported.count("Eap"), 6) << "the task at the defaults has no EAP line";
    EXPECT_EQ(exported.count("  Transport"), 5) << "the task at the defaults has no transport line";

    testsupport::TempProgramDir dir;
    Database db;
    const ImportResult result = importGroupFromFile(db.connection, path, kNow);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    const std::map<QString, StoredTask> imported = db.tasks();
    ASSERT_EQ(imported.size(), 3u);
    for (const auto &[name, task] : imported)
        expectSameTask(task, original.at(name), name);
}
