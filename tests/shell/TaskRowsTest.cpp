// The task list's rows, read with one statement for every task's run times, show what the
// per-task statements show.
#include "ShellFixture.h"

#include "shell/TaskRows.h"
#include "taskstore/Connection.h"
#include "taskstore/Query.h"
#include "taskstore/TaskReader.h"

#include <gtest/gtest.h>

using namespace shelltest;

TEST(TaskRowsTest, RunTimesMatchThePerTaskStatements)
{
    testsupport::TempProgramDir dir;
    taskstore::Connection connection(taskstore::Connection::defaultPath());
    const QDateTime day(QDate(2031, 3, 9), QTime(9, 5, 7));
    addTask(connection, "1", "two rules", "7", "10.0.0.1", 1, {day.addDays(7), day}, day.addDays(-2));
    addTask(connection, "2", "manual, run once", "7", "10.0.0.2", 0, {}, day.addDays(-1));
    addTask(connection, "3", "scheduled, no rows", "8", "10.0.0.3", 1);
    addTask(connection, "4", "odd run type", "7", "10.0.0.4", 5, {day});

    taskstore::Query list(connection), time(connection);
    const QList<shell::TaskRow> all = shell::readTaskRows(list, time, shell::kAllTasksKey);
    ASSERT_EQ(all.size(), 4);
    for (const shell::TaskRow &row : all) {
        SCOPED_TRACE(row.taskName.toStdString());
        EXPECT_EQ(row.lastRunTime, taskstore::lastRunTimeText(time, row.taskId));
        EXPECT_EQ(shell::readTaskRow(time, row.taskId).nextRunTime, row.nextRunTime);
    }
    EXPECT_EQ(all[0].nextRunTime, taskstore::nextRunTimeText(time, "1"));
    EXPECT_FALSE(all[0].nextRunTime.isEmpty());
    EXPECT_EQ(all[1].nextRunTime, "Manually");
    EXPECT_FALSE(all[1].lastRunTime.isEmpty());
    EXPECT_TRUE(all[2].lastRunTime.isEmpty());
    EXPECT_TRUE(all[2].nextRunTime.isEmpty());
    EXPECT_TRUE(all[3].nextRunTime.isEmpty());

    const QList<shell::TaskRow> group = shell::readTaskRows(list, time, " 7 "); // key trimmed
    ASSERT_EQ(group.size(), 3);
    EXPECT_EQ(group[1].serverIp, "10.0.0.2");
}
