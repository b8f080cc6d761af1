#include "taskstore/GroupStore.h"
#include "support/SampleTask.h"
#include "support/TempProgramDir.h"
#include "taskstore/Connection.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskReader.h"

#include <gtest/gtest.h>

using namespace taskstore;

namespace {
class GroupStoreTest : public ::testing::Test {
protected:
    QStringList names()
    {
        QStringList result;
        const StoreResult<QList<GroupRow>> rows = store.groups();
        EXPECT_TRUE(rows.ok()) << rows.error().toStdString();
        for (const GroupRow &row : rows.value())
            result << row.id + "=" + row.name;
        return result;
    }

    testsupport::TempProgramDir dir;
    Connection connection{Connection::defaultPath()};
    GroupStore store{connection};
};
} // namespace

TEST_F(GroupStoreTest, AddRenameAndListKeepNamesAsTyped)
{
    const StoreResult<QString> id = store.newGroupId();
    ASSERT_TRUE(id.ok());
    EXPECT_FALSE(id.value().isEmpty());
    EXPECT_TRUE(store.add(id.value(), " O'Brien's lab ").ok());
    EXPECT_TRUE(store.add("7", "Second").ok());
    EXPECT_EQ(names(), QStringList({id.value() + "= O'Brien's lab ", "7=Second"}));
    EXPECT_TRUE(store.rename("7", "Renamed \"x\"").ok());
    EXPECT_EQ(names().last(), "7=Renamed \"x\"");
}

TEST_F(GroupStoreTest, EmptyNamesAndRejectedStatementsComeBackAsErrors)
{
    ASSERT_TRUE(store.add("7", "Kept").ok());
    const StoreStatus empty = store.add("8", "");
    EXPECT_FALSE(empty.ok());
    EXPECT_EQ(empty.error(), "Group name is empty");
    EXPECT_EQ(store.rename("7", "").error(), "Group name is empty");
    EXPECT_EQ(names(), QStringList{"7=Kept"});

    Query query(connection);
    ExecQuery(query, "drop table TaskGroup");
    for (const StoreStatus &status : {store.add("9", "Lost"), store.rename("7", "Lost"), store.remove("7")}) {
        EXPECT_FALSE(status.ok());
        EXPECT_TRUE(status.error().contains("TaskGroup")) << status.error().toStdString();
    }
    EXPECT_FALSE(store.groups().ok());
    EXPECT_FALSE(store.newGroupId().ok());
}

TEST_F(GroupStoreTest, RemovingAGroupLeavesItsTasks)
{
    ASSERT_TRUE(store.add("7", "Lab").ok());
    ASSERT_TRUE(store.add("8", "Other").ok());
    Query query(connection);
    taskstore::TaskRecord task = testsupport::sampleTask("42");
    task.GroupID = "7";
    ExecQuery(query, sql::insertTask(task));
    ExecQuery(query, sql::insertTaskOption(task));

    EXPECT_TRUE(store.remove("7").ok());
    EXPECT_EQ(names(), QStringList{"8=Other"});
    EXPECT_EQ(readTaskRecord(query, "42").GroupID, "7");
    OpenQuery(query, sql::selectTaskListOfGroup("7"));
    EXPECT_EQ(query.rowCount(), 1);
}
