#include "support/SampleTask.h"
#include "support/TempProgramDir.h"
#include "taskstore/Connection.h"
#include "taskstore/DatabaseError.h"
#include "taskstore/DateTimeText.h"
#include "taskstore/NewRecordId.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskReader.h"
#include "taskstore/Transaction.h"

#include <QFile>

#include <sqlite3.h>

#include <gtest/gtest.h>

using namespace taskstore;

namespace {
class TaskStore : public ::testing::Test {
protected:
    testsupport::TempProgramDir dir;
    Connection main{Connection::defaultPath()};
    Query query{main};

    static TaskRecord sampleTask()
    {
        TaskRecord t = testsupport::sampleTask("42");
        t.TaskName = "O'Brien's check";
        t.SecretKey = "s'cret";
        t.RequestType = kStatusServer;
        t.RequestTypeCode = 12;
        t.RunType = kRunBySchedule;
        t.StartID = 254;
        t.RetryTimes = 2;
        t.RepeatTimes = 5;
        return t;
    }

    QString text(const QDateTime &moment) { return DateTimeText::dateTimeText(moment); }
};
} // namespace

TEST_F(TaskStore, CreatesTheFileWithItsTablesAndReadsATaskBack)
{
    EXPECT_TRUE(QFile::exists(dir.filePath("Pellion.dat")));
    const TaskRecord task = sampleTask();
    ExecQuery(query, sql::insertTask(task));
    ExecQuery(query, sql::insertTaskOption(task));

    const TaskRecord read = readTaskRecord(query, "42");
    EXPECT_EQ(read.TaskName, task.TaskName); // quotes survive as data
    EXPECT_EQ(read.SecretKey, task.SecretKey);
    EXPECT_EQ(read.RequestType, kStatusServer); // written as a quoted literal
    EXPECT_EQ(read.StartID, 254);
    EXPECT_EQ(read.NumInParall, 1);
    EXPECT_EQ(read.GroupID, "AllTask");

    // Identifiers are text: "042" is another task, read as empty and zero.
    const TaskRecord missing = readTaskRecord(query, "042");
    EXPECT_TRUE(missing.TaskName.isEmpty());
    EXPECT_EQ(missing.Port, 0);
}

TEST_F(TaskStore, LastAndNextTimesOrderByMomentNotByText)
{
    // In day-first text "9.1." sorts after "10.1."; the store must order by time.
    DateTimeText::setLocale(QLocale("de_DE"));
    const QDateTime early(QDate(2026, 1, 9), QTime(8, 0));
    const QDateTime late(QDate(2026, 1, 10), QTime(7, 0));
    ExecQuery(query, sql::insertIntervalSchedule("7", kEveryHours, 1, text(early), text(late), "0"));
    ExecQuery(query, sql::insertOnceSchedule("7", kOnce, "08:00:00", text(late), text(early)));
    ExecQuery(query, sql::insertManualRunRow("8", text(late)));

    EXPECT_EQ(lastRunTimeText(query, "7"), text(late));
    EXPECT_EQ(nextRunTimeText(query, "7"), text(early));
    // The manual-run row has no next time; a task without rows has neither.
    EXPECT_EQ(lastRunTimeText(query, "8"), text(late));
    EXPECT_EQ(nextRunTimeText(query, "8"), QString());
    EXPECT_EQ(lastRunTimeText(query, "9"), QString());
    DateTimeText::setLocale(QLocale::system());
}

TEST_F(TaskStore, ScheduleRowsCarryTheirColumnsAndGetNewKeysOnEverySave)
{
    const QDateTime now(QDate(2026, 12, 10), QTime(9, 30));
    ExecQuery(query, sql::insertWeeklySchedule("5", kWeekly, "1010100", "10:00:00", text(now), text(now.addDays(1))));
    ExecQuery(query, sql::insertMonthlySchedule("5", kMonthly, "28", "0", text(now), text(now.addMonths(1))));
    QList<ScheduleRecord> rows = readScheduleRecords(query, "5");
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].ScheduleType, kWeekly);
    EXPECT_EQ(rows[0].withweek, "1010100");
    EXPECT_EQ(rows[0].NextRunTime, now.addDays(1));
    EXPECT_EQ(rows[1].value, 28);
    const int firstKey = rows[1].TaskSchID;

    ExecQuery(query, sql::deleteSchedules("5"));
    ExecQuery(query, sql::insertMonthlySchedule("5", kMonthly, "28", "0", text(now), text(now)));
    rows = readScheduleRecords(query, "5");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_GT(rows[0].TaskSchID, firstKey);

    ExecQuery(query, sql::updateRunTimes(text(now.addDays(2)), text(now), rows[0].TaskSchID));
    EXPECT_EQ(readScheduleRecords(query, "5")[0].NextRunTime, now.addDays(2));
}

TEST_F(TaskStore, DeleteCascadeRemovesRowsAndTheScriptFile)
{
    const TaskRecord task = sampleTask();
    ExecQuery(query, sql::insertTask(task));
    ExecQuery(query, sql::insertTaskOption(task));
    ExecQuery(query, sql::insertManualRunRow(task.TaskID, text(QDateTime::currentDateTime())));
    ASSERT_TRUE(dir.writeFile(scriptRelativePath(task.TaskID), "User-Name = bob\n"));

    deleteTaskRows(query, task.TaskID, true);
    EXPECT_FALSE(QFile::exists(scriptFilePath(task.TaskID)));
    OpenQuery(query, sql::selectTaskList());
    EXPECT_TRUE(query.isEmpty());
    OpenQuery(query, sql::selectSchedules(task.TaskID));
    EXPECT_TRUE(query.isEmpty());
}

TEST_F(TaskStore, ConnectionsShareTheFileAndRejectedStatementsThrow)
{
    Connection check(Connection::defaultPath());
    Connection run(Connection::defaultPath());
    Query checkQuery(check);
    ExecQuery(query, sql::insertGroup("1", "Lab"));
    OpenQuery(checkQuery, sql::selectAllGroups());
    ASSERT_EQ(checkQuery.rowCount(), 1);
    EXPECT_EQ(checkQuery.asText("name"), "Lab"); // column names without regard to case

    try {
        ExecQuery(query, "insert into NoSuchTable values(1)");
        FAIL() << "the statement was accepted";
    } catch (const DatabaseError &error) {
        EXPECT_TRUE(error.text().contains("NoSuchTable")) << error.text().toStdString();
    }
}

TEST_F(TaskStore, UncommittedTransactionLeavesThePreviousRows)
{
    ExecQuery(query, sql::insertGroup("1", "Lab"));
    {
        Transaction transaction(main);
        ExecQuery(query, sql::deleteGroup("1"));
        ExecQuery(query, sql::insertGroup("2", "Other"));
    }
    OpenQuery(query, sql::selectGroupName("1"));
    EXPECT_EQ(query.asText("Name"), "Lab");
    OpenQuery(query, sql::selectGroupName("2"));
    EXPECT_TRUE(query.isEmpty());
}

// A transaction inside another joins it: its rollback undoes only its own statements, and
// the outer one's rollback undoes it even when it was committed.
TEST_F(TaskStore, TransactionInsideAnotherIsPartOfIt)
{
    const auto groupName = [&](const char *id) {
        OpenQuery(query, sql::selectGroupName(id));
        return query.isEmpty() ? QString("-") : query.asText("Name");
    };
    {
        Transaction outer(main);
        ExecQuery(query, sql::insertGroup("1", "kept"));
        {
            Transaction inner(main);
            ExecQuery(query, sql::insertGroup("2", "undone"));
        }
        {
            Transaction inner(main);
            ExecQuery(query, sql::insertGroup("3", "joined"));
            inner.commit();
        }
        outer.commit();
    }
    EXPECT_EQ(QStringList({groupName("1"), groupName("2"), groupName("3")}), QStringList({"kept", "-", "joined"}));
    {
        Transaction outer(main);
        Transaction inner(main);
        ExecQuery(query, sql::insertGroup("4", "lost"));
        inner.commit();
    }
    EXPECT_EQ(groupName("4"), "-");
}

TEST(TaskStoreFile, UnopenableFileThrowsWithItsPath)
{
    testsupport::TempProgramDir dir;
    EXPECT_THROW(Connection(dir.filePath("no/such/dir/Pellion.dat")), DatabaseError);
}

TEST_F(TaskStore, NewKeysAreDecimalBelow999999AndSkipTakenOnes)
{
    for (int i = 0; i < 200; ++i) {
        bool ok = false;
        const QString id = NewRecordId();
        const int value = id.toInt(&ok);
        ASSERT_TRUE(ok && value >= 0 && value < 999999 && id == QString::number(value)) << id.toStdString();
    }
    // A key already taken in its table is drawn again.
    ExecQuery(query, sql::insertGroup("5", "g"));
    ExecQuery(query, sql::insertServer("6", "127.0.0.1", "k"));
    QStringList draws{"5", "5", "6"};
    auto next = [&] { return draws.takeFirst(); };
    EXPECT_EQ(NewRecordId(query, KeyTable::TaskGroup, next), "6");
    draws = {"6", "7"};
    EXPECT_EQ(NewRecordId(query, KeyTable::Server, next), "7");
}

namespace {
// A database of the oldest kind: the Task table alone, with task "7" in the given mode.
void writeTaskTableOnly(const QString &authMode)
{
    sqlite3 *old = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(Connection::defaultPath()).constData(), &old), SQLITE_OK);
    const QByteArray schema =
        "create table Task (GroupID text, TaskID text, TaskName text, ServerIP text, SecretKey "
        "text, Port integer, RequestType integer, RequestTypeCode integer, AuthMode text, RunType "
        "integer);"
        "insert into Task values('AllTask','7','old','127.0.0.1','s',1812,0,1,'"
        + authMode.toUtf8() + "',0);";
    ASSERT_EQ(sqlite3_exec(old, schema.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(old);
}
} // namespace

// A database from before the TaskTransport table gains it at open; its tasks read as UDP
// with the defaults, and a task's row comes back as stored and goes with the task.
TEST(TaskTransportStore, OldDatabaseGainsTheTableAndRowsRoundTrip)
{
    testsupport::TempProgramDir dir;
    ASSERT_NO_FATAL_FAILURE(writeTaskTableOnly("PAP"));
    Connection connection(Connection::defaultPath());
    Query query(connection);
    const TaskRecord old = readTaskRecord(query, "7");
    EXPECT_EQ(old.TaskName, "old");
    EXPECT_TRUE(old.Transport == TaskTransport{});
    EXPECT_EQ(old.Transport.Protocol, "udp");

    TaskTransport tls;
    tls.Protocol = "tls";
    tls.CaFile = "/pki/O'Brien ca.pem";
    tls.MessageAuthenticatorFirst = false;
    tls.RequireMessageAuthenticator = true;
    ExecQuery(query, sql::insertTaskTransport("7", tls));
    EXPECT_TRUE(readTaskRecord(query, "7").Transport == tls);

    deleteTaskRows(query, "7", false);
    OpenQuery(query, sql::selectTaskTransport("7"));
    EXPECT_TRUE(query.isEmpty());
}

// A database from before the TaskEapSettings table gains it at open; a task without a row
// reads with the defaults (the server's certificate verified), a row comes back as stored
// and goes with the task.
TEST(TaskEapSettingsStore, OldDatabaseGainsTheTableAndRowsRoundTrip)
{
    testsupport::TempProgramDir dir;
    ASSERT_NO_FATAL_FAILURE(writeTaskTableOnly("EAP-MD5"));
    Connection connection(Connection::defaultPath());
    Query query(connection);
    const TaskRecord old = readTaskRecord(query, "7");
    EXPECT_EQ(old.AuthMode, "EAP-MD5");
    EXPECT_TRUE(old.Eap == TaskEapSettings{});
    EXPECT_TRUE(old.Eap.VerifyServer);

    TaskEapSettings ttls;
    ttls.AnonymousIdentity = "O'Brien@example.org";
    ttls.InnerMethod = "md5";
    ttls.CaFile = "/pki/ca.pem";
    ttls.VerifyServer = false;
    ttls.CertFile = "/pki/c.pem";
    ttls.KeyFile = "/pki/c.key";
    ExecQuery(query, sql::insertTaskEapSettings("7", ttls));
    EXPECT_TRUE(readTaskRecord(query, "7").Eap == ttls);
    EXPECT_TRUE(readTaskRecord(query, "8").Eap == TaskEapSettings{}) << "another task's row is not read";

    deleteTaskRows(query, "7", false);
    OpenQuery(query, sql::selectTaskEapSettings("7"));
    EXPECT_TRUE(query.isEmpty());
}
