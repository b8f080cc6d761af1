// Help > "Load Example Tasks": one task per request kind and mode in the group "Examples",
// aimed at the demo server, saved as the task editor saves; loading again adds nothing twice.
#include "ShellFixture.h"

#include "demoserver/FreeRadiusConfig.h"
#include "dictmanager/QtPrinters.h"
#include "shell/TaskListView.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"

#include <QAction>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace shelltest;

namespace {

struct StoredTask {
    QString id;
    QString name;
    int requestType;
    int code;
    QString mode;
    int port;
    QString server;
    QString secret;
};

class ExampleTasksTest : public ::testing::Test, public ShellFixture {
protected:
    void load() { child<QAction>(&window(), "mnuLoadExamples")->trigger(); }

    QStringList groupNodes()
    {
        QStringList names;
        QTreeWidgetItem *root = child<QTreeWidget>(&window(), "treTaskGroup")->topLevelItem(0);
        for (int i = 0; root && i < root->childCount(); ++i)
            names << root->child(i)->text(0);
        return names;
    }

    QList<StoredTask> storedTasks()
    {
        QList<StoredTask> tasks;
        taskstore::Query query(seedConnection());
        taskstore::OpenQuery(query,
                             "select * from Task t join TaskGroup g on t.GroupID = g.TaskGroupID "
                             "where g.Name = 'Examples' order by t.TaskName");
        for (query.first(); !query.atEnd(); query.next())
            tasks.append({query.asText("TaskID"), query.asText("TaskName"), query.asInteger("RequestType"),
                          query.asInteger("RequestTypeCode"), query.asText("AuthMode"), query.asInteger("Port"),
                          query.asText("ServerIP"), query.asText("SecretKey")});
        return tasks;
    }
};

TEST_F(ExampleTasksTest, OneTaskPerKindAndModeAimedAtTheDemoServer)
{
    makeWindow();
    load();
    EXPECT_EQ(groupNodes(), QStringList{"Examples"});

    namespace demo = demoserver::demo;
    struct Expected {
        const char *name;
        int requestType;
        int code;
        const char *mode;
        int port;
        const char *scriptLine;
    };
    const Expected expected[] = {
        {"Accounting Start", 1, 4, "PAP", demo::kAcctPort, "Acct-Status-Type = Start"},
        {"Accounting Stop", 1, 4, "PAP", demo::kAcctPort, "Acct-Status-Type = Stop"},
        {"CHAP", 0, 1, "CHAP", demo::kAuthPort, "CHAP-Password = hello"},
        {"Disconnect", 3, 40, "PAP", demo::kCoaPort, "User-Name = bob"},
        {"EAP-MD5", 0, 1, "EAP-MD5", demo::kAuthPort, "EAP-MD5-Password = hello"},
        {"EAP-MSCHAPv2", 0, 1, "EAP-MSCHAPv2", demo::kAuthPort, "User-Password = hello"},
        {"EAP-SIM", 0, 1, "EAP-SIM", demo::kAuthPort, "EAP-Sim-Rand3 = 0x303132333435363738393a3b3c3d3e3f"},
        {"MS-CHAPv2", 0, 1, "MS-CHAPv2", demo::kAuthPort, "User-Password = hello"},
        {"PAP", 0, 1, "PAP", demo::kAuthPort, "User-Password = hello"},
        {"Status-Server", 2, 12, "PAP", demo::kAuthPort, "NAS-Identifier = pellion-example"},
    };
    const QList<StoredTask> tasks = storedTasks();
    ASSERT_EQ(tasks.size(), int(std::size(expected)));
    for (int i = 0; i < tasks.size(); ++i) {
        const StoredTask &task = tasks[i];
        const Expected &want = expected[i];
        SCOPED_TRACE(want.name);
        EXPECT_EQ(task.name, want.name);
        EXPECT_EQ(task.requestType, want.requestType);
        EXPECT_EQ(task.code, want.code);
        EXPECT_EQ(task.mode, want.mode);
        EXPECT_EQ(task.port, want.port);
        EXPECT_EQ(task.server, demo::kAddress);
        EXPECT_EQ(task.secret, demo::kSecret);
        const QByteArray script = dir.readFile("script/" + task.id + ".txt");
        EXPECT_TRUE(script.contains(QByteArray(want.scriptLine) + "\r\n")) << script.constData();
    }
}

// The list the user looks at ("All Tasks", chosen on a fresh database) shows the examples
// at once, not after some other command refills it.
TEST_F(ExampleTasksTest, AllTasksListShowsTheExamplesRightAfterLoading)
{
    makeWindow();
    auto *list = child<shell::TaskListView>(&window(), "lvwTask");
    ASSERT_EQ(list->rowCount(), 0);
    load();
    QStringList shown;
    for (int i = 0; i < list->rowCount(); ++i)
        shown << list->row(i).taskName;
    shown.sort();
    QStringList stored;
    for (const StoredTask &task : storedTasks())
        stored << task.name;
    ASSERT_FALSE(stored.isEmpty());
    EXPECT_EQ(shown, stored);
    EXPECT_EQ(child<QTreeWidget>(&window(), "treTaskGroup")->currentItem(),
              child<QTreeWidget>(&window(), "treTaskGroup")->topLevelItem(0));
}

TEST_F(ExampleTasksTest, LoadingAgainAddsOnlyWhatIsMissing)
{
    makeWindow();
    load();
    const QList<StoredTask> first = storedTasks();
    ASSERT_FALSE(first.isEmpty());

    load();
    EXPECT_EQ(groupNodes(), QStringList{"Examples"});
    QStringList ids;
    for (const StoredTask &task : storedTasks())
        ids << task.id;
    QStringList firstIds;
    for (const StoredTask &task : first)
        firstIds << task.id;
    EXPECT_EQ(ids, firstIds);

    // A removed example comes back; the others stay as they are.
    taskstore::Query query(seedConnection());
    taskstore::ExecQuery(query, taskstore::sql::deleteTask(first.first().id));
    load();
    const QList<StoredTask> third = storedTasks();
    ASSERT_EQ(third.size(), first.size());
    EXPECT_EQ(third.first().name, first.first().name);
    EXPECT_NE(third.first().id, first.first().id);
    for (int i = 1; i < third.size(); ++i)
        EXPECT_EQ(third[i].id, first[i].id);
}

} // namespace
