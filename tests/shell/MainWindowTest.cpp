// The main window's group tree, task list and their commands, driven through the controls.
#include "ShellFixture.h"

#include "platform/Language.h"
#include "scheduling/Scheduler.h"
#include "shell/TaskListView.h"
#include "shell/TfrmDataMod.h"
#include "shell/TfrmGroup.h"
#include "support/HeadingFit.h"
#include "support/StandInClient.h"
#include "taskstore/Connection.h"
#include "taskstore/Query.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <tuple>

using namespace shelltest;
using shell::TaskListView;

namespace {

class MainWindowTest : public ::testing::Test, public ShellFixture {
protected:
    QTreeWidget *tree() { return child<QTreeWidget>(&window(), "treTaskGroup"); }
    TaskListView *list() { return child<TaskListView>(&window(), "lvwTask"); }
    QString panel(const char *name) { return child<QLabel>(&window(), name)->text(); }
    QStringList names()
    {
        QStringList result;
        for (int i = 0; i < list()->rowCount(); ++i)
            result << list()->row(i).taskName;
        return result;
    }
    void clickNode(int childIndex) // -1 for the root
    {
        QTreeWidgetItem *node = tree()->topLevelItem(0);
        if (childIndex >= 0)
            node = node->child(childIndex);
        const QRect at = tree()->visualItemRect(node);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, at.center());
    }
    bool enabled(const char *name)
    {
        return window().findChild<QObject *>(QString::fromLatin1(name))->property("enabled").toBool();
    }
    int groupRows(const QString &where = QString())
    {
        taskstore::Query query(seedConnection());
        taskstore::OpenQuery(query, "select count(*) as n from TaskGroup" + where);
        return query.asInteger("n");
    }
};

TEST_F(MainWindowTest, FillsTreeAndListsTasksOfTheClickedNode)
{
    addGroup(seedConnection(), "11", "Lab");
    addGroup(seedConnection(), "12", "O'Brien's");
    addTask(seedConnection(), "1", "alpha", "11", "10.0.0.1", 0);
    addTask(seedConnection(), "2", "beta", "AllTask", "10.0.0.2", 1, {QDateTime(QDate(2030, 1, 2), QTime(8, 0))});
    addTask(seedConnection(), "3", "gamma", "99", "10.0.0.3", 1); // group deleted long ago, no rows
    makeWindow();

    QTreeWidgetItem *root = tree()->topLevelItem(0);
    EXPECT_EQ(root->text(0), "All Tasks");
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(1)->text(0), "O'Brien's");
    EXPECT_TRUE(root->isSelected());
    EXPECT_EQ(names(), QStringList({"alpha", "beta", "gamma"}));
    EXPECT_EQ(panel("StatusPanel1"), " 3 Task(s)");
    EXPECT_EQ(panel("StatusPanel2"), " 0 Running Task(s)");
    EXPECT_EQ(list()->row(0).nextRunTime, "Manually");
    EXPECT_FALSE(list()->row(1).nextRunTime.isEmpty());
    EXPECT_TRUE(list()->row(2).nextRunTime.isEmpty()); // no schedule rows: both empty
    EXPECT_TRUE(list()->row(2).lastRunTime.isEmpty());

    clickNode(0);
    EXPECT_EQ(names(), QStringList({"alpha"}));
    EXPECT_TRUE(enabled("spbtnGroupRen"));
    EXPECT_TRUE(enabled("pmuGroupDel"));
    clickNode(1);
    EXPECT_TRUE(names().isEmpty());
    clickNode(-1);
    EXPECT_EQ(names().size(), 3);
    EXPECT_FALSE(enabled("mnuGroupRen"));
    EXPECT_FALSE(enabled("spbtnGroupDel"));

    // Moving through the tree by keyboard fills the list too.
    tree()->setFocus();
    QTest::keyClick(tree(), Qt::Key_Down);
    EXPECT_EQ(names(), QStringList({"alpha"}));
    EXPECT_TRUE(enabled("spbtnGroupRen"));
}

TEST_F(MainWindowTest, CommandStatesFollowTheSelection)
{
    addTask(seedConnection(), "1", "alpha", "AllTask", "10.0.0.1", 0);
    addTask(seedConnection(), "2", "beta", "AllTask", "10.0.0.2", 0);
    makeWindow();
    for (const char *name : {"spbtnRun", "mnuRun", "pmuRun", "spbtnTaskEdit", "mnuTaskDel", "pmuTaskView",
                             "spbtnSuspend", "mnuStop", "spbtnGroupRen", "pmuGroupDel"})
        EXPECT_FALSE(enabled(name)) << name;
    for (const char *name : {"spbtnGroupAdd", "spbtnTaskAdd", "mnuTaskGroup", "mnuLargeIcon"})
        EXPECT_TRUE(enabled(name)) << name;

    list()->selectRow(1);
    for (const char *name : {"spbtnRun", "mnuTaskEdit", "pmuTaskDel", "spbtnTaskView"})
        EXPECT_TRUE(enabled(name)) << name;
    EXPECT_EQ(window().selectedTaskId(), "2");
    EXPECT_FALSE(enabled("spbtnSuspend"));

    list()->clearSelection();
    EXPECT_EQ(window().selectedTaskId(), "0");
    for (const char *name : {"spbtnRun", "mnuTaskEdit", "pmuTaskDel", "spbtnTaskView"})
        EXPECT_FALSE(enabled(name)) << name;
}

TEST_F(MainWindowTest, AddGroupRefusesAnEmptyNameThenStoresAndSelectsTheGroup)
{
    addTask(seedConnection(), "1", "alpha", "AllTask", "10.0.0.1", 0);
    makeWindow();
    whenModal([this](QWidget *dialog) {
        EXPECT_EQ(dialog->objectName(), "frmGroup");
        EXPECT_EQ(dialog->windowTitle(), "Task Group Property");
        auto *name = child<QLineEdit>(dialog, "edtName");
        EXPECT_EQ(name->text(), "New Group");
        EXPECT_EQ(name->maxLength(), 30);
        name->clear();
        QTest::mouseClick(child<QPushButton>(dialog, "spbtnOK"), Qt::LeftButton);
        EXPECT_EQ(dialogs.lastMessageText(), "Group name is empty");
        EXPECT_TRUE(dialog->isVisible());
        QTest::keyClicks(name, " Radius lab");
        QTest::mouseClick(child<QPushButton>(dialog, "spbtnOK"), Qt::LeftButton);
    });
    QTest::mouseClick(child<QToolButton>(&window(), "spbtnGroupAdd"), Qt::LeftButton);

    QTreeWidgetItem *root = tree()->topLevelItem(0);
    ASSERT_EQ(root->childCount(), 1);
    EXPECT_EQ(root->child(0)->text(0), " Radius lab"); // as typed, not trimmed
    EXPECT_TRUE(root->child(0)->isSelected());
    EXPECT_TRUE(names().isEmpty());
    EXPECT_TRUE(enabled("spbtnGroupDel"));
    EXPECT_EQ(groupRows(" where Name=' Radius lab'"), 1);
}

TEST_F(MainWindowTest, CancelledGroupDialogChangesNothing)
{
    makeWindow();
    whenModal([](QWidget *dialog) { QTest::mouseClick(child<QPushButton>(dialog, "spbtnCancel"), Qt::LeftButton); });
    child<QAction>(&window(), "mnuGroupNew")->trigger();
    EXPECT_EQ(tree()->topLevelItem(0)->childCount(), 0);
    EXPECT_EQ(groupRows(), 0);
}

TEST_F(MainWindowTest, AGroupStatementThatFailsLeavesTreeAndDialogResultUnchanged)
{
    addGroup(seedConnection(), "11", "Lab");
    makeWindow();
    taskstore::Query query(seedConnection());
    // Reads still work (the new key is looked up), writes are refused.
    taskstore::ExecQuery(
        query, "create trigger NoInsert before insert on TaskGroup begin select raise(abort, 'refused'); end");
    taskstore::ExecQuery(
        query, "create trigger NoUpdate before update on TaskGroup begin select raise(abort, 'refused'); end");
    whenModal([](QWidget *dialog) { QTest::mouseClick(child<QPushButton>(dialog, "spbtnOK"), Qt::LeftButton); });
    QTest::mouseClick(child<QToolButton>(&window(), "spbtnGroupAdd"), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().last().icon, platform::MessageIcon::Error);
    EXPECT_EQ(tree()->topLevelItem(0)->childCount(), 1); // no node for a group that was not stored

    clickNode(0);
    whenModal([](QWidget *dialog) {
        child<QLineEdit>(dialog, "edtName")->setText("Renamed");
        QTest::mouseClick(child<QPushButton>(dialog, "spbtnOK"), Qt::LeftButton);
    });
    QTest::mouseClick(child<QToolButton>(&window(), "spbtnGroupRen"), Qt::LeftButton);
    EXPECT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(tree()->topLevelItem(0)->child(0)->text(0), "Lab");
}

TEST_F(MainWindowTest, RenameGroupChangesNodeAndRow)
{
    addGroup(seedConnection(), "11", "Lab");
    makeWindow();
    clickNode(0);
    whenModal([](QWidget *dialog) {
        auto *name = child<QLineEdit>(dialog, "edtName");
        EXPECT_EQ(name->text(), "Lab");
        name->setText("Field");
        QTest::mouseClick(child<QPushButton>(dialog, "spbtnOK"), Qt::LeftButton);
    });
    child<QAction>(&window(), "pmuGroupRen")->trigger();
    EXPECT_EQ(tree()->topLevelItem(0)->child(0)->text(0), "Field");
    EXPECT_EQ(groupRows(" where Name='Field' and TaskGroupID='11'"), 1);
}

TEST_F(MainWindowTest, DeletingAGroupAsksAndKeepsItsTasksUnderAllTasks)
{
    addGroup(seedConnection(), "11", "Lab");
    addTask(seedConnection(), "1", "alpha", "11", "10.0.0.1", 0);
    makeWindow();
    clickNode(0);

    dialogs.queueAnswer(platform::Answer::Cancel);
    QTest::mouseClick(child<QToolButton>(&window(), "spbtnGroupDel"), Qt::LeftButton);
    EXPECT_EQ(dialogs.lastMessageText(), "Do you really want to delete the selected task group?");
    EXPECT_EQ(dialogs.messages().last().buttons, platform::MessageButtons::OkCancel);
    EXPECT_EQ(tree()->topLevelItem(0)->childCount(), 1);

    dialogs.queueAnswer(platform::Answer::Ok);
    QTest::mouseClick(child<QToolButton>(&window(), "spbtnGroupDel"), Qt::LeftButton);
    EXPECT_EQ(tree()->topLevelItem(0)->childCount(), 0);
    EXPECT_EQ(groupRows(), 0);
    EXPECT_EQ(names(), QStringList({"alpha"})); // not refilled
    clickNode(-1);
    EXPECT_EQ(names(), QStringList({"alpha"}));
}

TEST_F(MainWindowTest, NewTaskGoesToTheSelectedGroupAndIsListedOnlyUnderAllTasksFromTheRoot)
{
    addGroup(seedConnection(), "11", "Lab");
    makeWindow();
    windows.newTaskName = "fresh";
    QTest::mouseClick(child<QToolButton>(&window(), "spbtnTaskAdd"), Qt::LeftButton);
    EXPECT_EQ(windows.calls, QStringList({"new AllTask"}));
    EXPECT_EQ(names(), QStringList({"fresh"}));
    EXPECT_EQ(panel("StatusPanel1"), " 1 Task(s)");
    clickNode(0);
    EXPECT_TRUE(names().isEmpty());

    windows.newTaskName = "in lab";
    child<QAction>(&window(), "pmuTaskNew")->trigger();
    EXPECT_EQ(windows.calls.last(), "new 11");
    EXPECT_EQ(names(), QStringList({"in lab"}));

    windows.answerOk = false; // the editor was cancelled: nothing is added
    child<QAction>(&window(), "mnuTaskNew")->trigger();
    EXPECT_EQ(names(), QStringList({"in lab"}));
}

TEST_F(MainWindowTest, DeleteTaskConfirmsRemovesRowsAndScriptAndDisablesCommands)
{
    addTask(seedConnection(), "1", "alpha", "AllTask", "10.0.0.1", 1, {QDateTime(QDate(2030, 1, 1), QTime(1, 0))});
    addTask(seedConnection(), "2", "beta", "AllTask", "10.0.0.2", 0);
    ASSERT_TRUE(dir.writeFile("script/1.txt", "User-Name = \"x\"\n"));
    makeWindow();
    list()->selectRow(0);

    dialogs.queueAnswer(platform::Answer::Cancel);
    child<QAction>(&window(), "mnuTaskDel")->trigger();
    EXPECT_EQ(dialogs.lastMessageText(), "Do you really want to delete the selected task?");
    EXPECT_EQ(list()->rowCount(), 2);

    dialogs.queueAnswer(platform::Answer::Ok);
    QTest::mouseClick(child<QToolButton>(&window(), "spbtnTaskDel"), Qt::LeftButton);
    EXPECT_EQ(names(), QStringList({"beta"}));
    EXPECT_EQ(panel("StatusPanel1"), " 1 Task(s)");
    for (const char *name : {"spbtnRun", "spbtnTaskEdit", "spbtnTaskDel", "spbtnTaskView"})
        EXPECT_FALSE(enabled(name)) << name;
    EXPECT_FALSE(QFile::exists(dir.filePath("script/1.txt")));
    taskstore::Query query(seedConnection());
    taskstore::OpenQuery(query, "select count(*) as n from TaskSchedule");
    EXPECT_EQ(query.asInteger("n"), 0);
    taskstore::OpenQuery(query, "select count(*) as n from Task");
    EXPECT_EQ(query.asInteger("n"), 1);
}

TEST_F(MainWindowTest, EditAndViewOpenTheirWindowsForTheSelectedTask)
{
    addTask(seedConnection(), "1", "alpha", "AllTask", "10.0.0.1", 0);
    addTask(seedConnection(), "2", "beta", "AllTask", "10.0.0.2", 0);
    makeWindow();
    list()->selectRow(0);
    QTest::mouseClick(child<QToolButton>(&window(), "spbtnTaskEdit"), Qt::LeftButton);
    EXPECT_EQ(windows.calls, QStringList({"edit 1"}));
    // The saved task's row moves to the end of the list.
    EXPECT_EQ(names(), QStringList({"beta", "alpha"}));
    list()->selectRow(0);
    child<QAction>(&window(), "pmuTaskView")->trigger();
    EXPECT_EQ(windows.calls.last(), "view 2");
    child<QAction>(&window(), "mnuServerMan")->trigger();
    child<QAction>(&window(), "mnuServerMan")->trigger();
    EXPECT_EQ(windows.calls.count("server"), 2);
}

TEST_F(MainWindowTest, ARunningTaskCanBeNeitherEditedNorDeleted)
{
    // A client that stays silent for a while, so the run is still going.
    ASSERT_TRUE(dir.writeFile("radclient", testsupport::standInClientHead() + "sleep 3\n"));
    QFile::setPermissions(dir.filePath("radclient"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    addTask(seedConnection(), "1", "alpha", "AllTask", "127.0.0.1", 0);
    makeWindow();
    shell::TfrmDataMod dataModule;
    window().attachDataModule(dataModule);
    list()->selectRow(0);
    QTest::mouseClick(child<QToolButton>(&window(), "spbtnRun"), Qt::LeftButton);
    EXPECT_EQ(panel("StatusPanel2"), " 1 Running Task(s)");
    EXPECT_FALSE(enabled("spbtnRun"));
    EXPECT_TRUE(enabled("mnuStop"));

    child<QAction>(&window(), "mnuTaskEdit")->trigger();
    EXPECT_EQ(
        dialogs.lastMessageText(),
        "You can't modify properties of the running Task.\nPlease wait while task work finished and then try again.");
    QTest::mouseClick(child<QToolButton>(&window(), "spbtnTaskDel"), Qt::LeftButton);
    EXPECT_EQ(dialogs.lastMessageText(),
              "You can't delete the running Task.\nPlease wait while task work finished and then try again.");
    EXPECT_TRUE(windows.calls.isEmpty());
    EXPECT_EQ(list()->rowCount(), 1);

    // Exit while it runs: no question, no shut-down steps.
    child<QAction>(&window(), "mnuExit")->trigger();
    EXPECT_EQ(terminations, 1);
    EXPECT_EQ(dialogs.messages().size(), 2);
    EXPECT_NE(panel("StatusPanel3"), "Shutting Down...");
    EXPECT_EQ(panel("StatusPanel2"), " 1 Running Task(s)");

    // Closing stops it.
    QCloseEvent close;
    QApplication::sendEvent(&window(), &close);
    EXPECT_TRUE(close.isAccepted());
    EXPECT_EQ(panel("StatusPanel2"), " 0 Running Task(s)");
    EXPECT_EQ(panel("StatusPanel3"), "Shutting Down...");
    destroyWindow(); // before the data module it runs on
}

TEST_F(MainWindowTest, SelectingARowShowsTheRunCommandsOfThatTasksRun)
{
    // A client that stays silent for a while, so the run is still going; for the third
    // task's server it ends at once.
    ASSERT_TRUE(dir.writeFile(
        "radclient", testsupport::standInClientHead() + "case \"$*\" in *127.0.0.3:*) exit 0;; esac\nsleep 5\n"));
    QFile::setPermissions(dir.filePath("radclient"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    addTask(seedConnection(), "1", "alpha", "AllTask", "127.0.0.1", 0);
    addTask(seedConnection(), "2", "beta", "AllTask", "127.0.0.1", 0);
    addTask(seedConnection(), "3", "gamma", "AllTask", "127.0.0.3", 0);
    makeWindow();
    shell::TfrmDataMod dataModule;
    window().attachDataModule(dataModule);
    QTreeView *view = list()->reportView();
    auto clickRow = [&](int row) {
        const QRect at = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at.center());
    };
    using States = std::tuple<bool, bool, bool>; // Run, Suspend, Stop
    auto states = [&] { return States{enabled("spbtnRun"), enabled("mnuSuspend"), enabled("pmuStop")}; };
    const States idle{true, false, false}, running{false, true, true}, suspended{true, false, true};

    clickRow(0);
    EXPECT_EQ(states(), idle);
    QTest::mouseClick(child<QToolButton>(&window(), "spbtnRun"), Qt::LeftButton);
    ASSERT_EQ(panel("StatusPanel2"), " 1 Running Task(s)");
    EXPECT_EQ(states(), running);

    // Away to the idle task and back: the running task's row must not offer Run again.
    clickRow(1);
    EXPECT_EQ(states(), idle);
    EXPECT_TRUE(enabled("spbtnTaskEdit"));
    clickRow(0);
    EXPECT_EQ(states(), running);
    EXPECT_TRUE(enabled("spbtnTaskView"));
    child<QAction>(&window(), "mnuRun")->trigger();
    EXPECT_EQ(panel("StatusPanel2"), " 1 Running Task(s)"); // no second client

    // Suspended: Run resumes it, and the row shows so after any selection.
    child<QAction>(&window(), "mnuSuspend")->trigger();
    EXPECT_EQ(states(), suspended);
    list()->selectRow(1);
    EXPECT_EQ(states(), idle);
    list()->selectRow(0);
    EXPECT_EQ(states(), suspended);
    child<QAction>(&window(), "mnuRun")->trigger();
    EXPECT_EQ(states(), running);
    EXPECT_EQ(panel("StatusPanel2"), " 1 Running Task(s)");

    // Another task's run that ends while this one is selected leaves this one's states.
    clickRow(2);
    child<QAction>(&window(), "mnuRun")->trigger();
    clickRow(0);
    ASSERT_EQ(panel("StatusPanel2"), " 2 Running Task(s)");
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel("StatusPanel2") == " 1 Running Task(s)"; }, 10000));
    EXPECT_EQ(states(), running);
    // With no row selected no run command is offered.
    list()->clearSelection();
    EXPECT_EQ(states(), (States{false, false, false}));

    QCloseEvent close;
    QApplication::sendEvent(&window(), &close);
    destroyWindow(); // before the data module it runs on
}

TEST_F(MainWindowTest, SchedulerStartsAfterASecondAndRestartsAfterADeletedTask)
{
    addTask(seedConnection(), "1", "alpha", "AllTask", "127.0.0.1", 0);
    makeWindow();
    shell::TfrmDataMod dataModule;
    window().attachDataModule(dataModule);
    scheduling::Scheduler *scheduler = window().scheduler();
    ASSERT_NE(scheduler, nullptr);
    EXPECT_FALSE(scheduler->isRunning());
    EXPECT_TRUE(QTest::qWaitFor([&] { return scheduler->isRunning(); }, 3000)); // TimerCheckSch

    list()->selectRow(0);
    dialogs.queueAnswer(platform::Answer::Ok);
    child<QAction>(&window(), "pmuTaskDel")->trigger();
    EXPECT_FALSE(scheduler->isRunning()); // stopped, and started again 500 ms later
    EXPECT_TRUE(QTest::qWaitFor([&] { return scheduler->isRunning(); }, 3000));
    destroyWindow();
}

TEST_F(MainWindowTest, HeaderClicksShareOneDirectionFlagAndMoveTheMark)
{
    addTask(seedConnection(), "1", "bravo", "AllTask", "10.0.0.20", 0);
    addTask(seedConnection(), "2", "Alpha", "AllTask", "10.0.0.3", 0);
    addTask(seedConnection(), "3", "charlie", "AllTask", "10.0.0.100", 0);
    makeWindow();
    EXPECT_EQ(window().order().mark(0), shell::TaskListOrder::Mark::Up);
    EXPECT_FALSE(list()->headingIcon(0).isNull());

    QHeaderView *header = list()->reportView()->header();
    auto clickHeader = [&](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
    };
    clickHeader(0);
    EXPECT_EQ(names(), QStringList({"charlie", "bravo", "Alpha"})); // first click: Z to A
    EXPECT_EQ(window().order().mark(0), shell::TaskListOrder::Mark::Down);

    clickHeader(3); // the flag flips again: ascending by server, as text
    QStringList servers;
    for (int i = 0; i < list()->rowCount(); ++i)
        servers << list()->row(i).serverIp;
    EXPECT_EQ(servers, QStringList({"10.0.0.100", "10.0.0.20", "10.0.0.3"}));
    EXPECT_EQ(window().order().mark(3), shell::TaskListOrder::Mark::Up);
    EXPECT_EQ(window().order().mark(0), shell::TaskListOrder::Mark::None);
    EXPECT_TRUE(list()->headingIcon(0).isNull());
}

TEST_F(MainWindowTest, ViewSwitchesHideAndShowTheirParts)
{
    makeWindow();
    struct Switch {
        const char *item;
        const char *part;
    };
    for (const Switch &each : {Switch{"mnuToolBax", "PanelToolBax"}, Switch{"mnuTaskGroup", "PanelGroup"},
                               Switch{"mnuLog", "PanelLog"}, Switch{"mnuStatusBar", "StatusBar"}}) {
        auto *item = child<QAction>(&window(), each.item);
        auto *part = child<QWidget>(&window(), each.part);
        EXPECT_TRUE(item->isChecked()) << each.item;
        item->trigger();
        EXPECT_FALSE(part->isVisible()) << each.part;
        EXPECT_FALSE(item->isChecked()) << each.item;
        item->trigger();
        EXPECT_TRUE(part->isVisible()) << each.part;
        EXPECT_TRUE(item->isChecked()) << each.item;
    }
    // The context items follow the View menu's ticks.
    child<QAction>(&window(), "pmuHideGroup")->trigger();
    EXPECT_FALSE(child<QWidget>(&window(), "PanelGroup")->isVisible());
    EXPECT_FALSE(child<QAction>(&window(), "mnuTaskGroup")->isChecked());
    child<QAction>(&window(), "pmuHideLog")->trigger();
    EXPECT_FALSE(child<QWidget>(&window(), "PanelLog")->isVisible());
    child<QAction>(&window(), "mnuLog")->trigger();
    auto *splitter = child<QSplitter>(&window(), "Splitter1");
    EXPECT_EQ(splitter->indexOf(child<QWidget>(&window(), "PanelLog")), 1); // back below the list
    EXPECT_GT(splitter->sizes().at(1), 0);
}

TEST_F(MainWindowTest, ViewStylesTickOneItemInBothMenus)
{
    addTask(seedConnection(), "1", "alpha", "AllTask", "10.0.0.1", 0);
    makeWindow();
    EXPECT_TRUE(child<QAction>(&window(), "mnuDetailed")->isChecked());
    child<QAction>(&window(), "pmuLargleIcon")->trigger();
    EXPECT_EQ(list()->style(), TaskListView::Style::LargeIcon);
    EXPECT_TRUE(child<QAction>(&window(), "mnuLargeIcon")->isChecked());
    EXPECT_FALSE(child<QAction>(&window(), "mnuDetailed")->isChecked());
    child<QAction>(&window(), "mnuList")->trigger();
    EXPECT_TRUE(child<QAction>(&window(), "pmuList")->isChecked());
    EXPECT_FALSE(child<QAction>(&window(), "pmuLargleIcon")->isChecked());
    child<QAction>(&window(), "mnuDetailed")->trigger();
    EXPECT_EQ(list()->currentView(), list()->reportView());
}

TEST_F(MainWindowTest, ToolbarHintsGoToTheThirdPanel)
{
    makeWindow();
    auto *button = child<QToolButton>(&window(), "spbtnRun");
    EXPECT_EQ(button->toolTip(), "Execute");
    QStatusTipEvent tip(button->statusTip());
    QApplication::sendEvent(&window(), &tip);
    EXPECT_EQ(panel("StatusPanel3"), " Execute selected synchronize task");
}

} // namespace

// A fill of many rows tells the window of its change once, not once a row, and the window
// still ends with every row in order and the right count.
TEST_F(MainWindowTest, FillReportsItsChangeOnceForTheWholeList)
{
    constexpr int kTasks = 200;
    for (int i = 0; i < kTasks; ++i)
        addTask(seedConnection(), QString::number(i + 1), QStringLiteral("task %1").arg(i + 1, 3, 10, QLatin1Char('0')),
                "AllTask", "10.0.0.1", 0);
    makeWindow();
    list()->selectRow(5);
    ASSERT_TRUE(enabled("spbtnTaskEdit"));

    QSignalSpy changes(list(), &TaskListView::contentChanged);
    clickNode(-1);
    EXPECT_LE(changes.count(), 2); // emptied, then filled
    ASSERT_EQ(list()->rowCount(), kTasks);
    EXPECT_EQ(list()->row(0).taskName, "task 001");
    EXPECT_EQ(list()->row(kTasks - 1).taskName, "task 200");
    EXPECT_EQ(list()->row(kTasks - 1).taskId, "200");
    EXPECT_EQ(panel("StatusPanel1"), " 200 Task(s)");
    EXPECT_FALSE(enabled("spbtnTaskEdit"));
}

namespace {

// After each fill every filled column shows its longest text whole; the last one stretches.
TEST_F(MainWindowTest, ColumnsFitTheirContentAfterEachFill)
{
    const QDateTime next(QDate(2026, 12, 10), QTime(13, 45));
    addGroup(seedConnection(), "11", "Lab");
    addTask(seedConnection(), "1", "alpha", "AllTask", "127.0.0.1", 1, {next}, next.addDays(-1));
    addTask(seedConnection(), "2", "a name longer than the first width", "11", "127.0.0.1", 1, {next});
    addTask(seedConnection(), "3", QString(300, 'w'), "12", "127.0.0.1", 0);
    makeWindow();
    QTreeView *report = list()->reportView();
    QHeaderView *header = report->header();
    const auto checkFitted = [&](int firstColumn = 0) {
        for (int row = 0; row < list()->rowCount(); ++row)
            for (int column = firstColumn; column < 3; ++column) {
                SCOPED_TRACE(testing::Message() << row << "/" << column);
                EXPECT_GE(header->sectionSize(column),
                          report->sizeHintForIndex(report->model()->index(row, column)).width());
            }
        EXPECT_TRUE(header->stretchLastSection());
    };
    // Filled before the window is first shown: the times fit already.
    checkFitted(1);
    window().show();
    clickNode(0);
    ASSERT_EQ(list()->rowCount(), 1);
    checkFitted();
    // A name wider than the list takes half of it at most.
    clickNode(-1);
    EXPECT_LE(header->sectionSize(0), list()->width() / 2);
    EXPECT_GE(header->sectionSize(1), report->sizeHintForIndex(report->model()->index(0, 1)).width());
}

// The list's times in the words of the chosen language: at the start, after a run and
// after choosing another language from the menu.
TEST_F(MainWindowTest, TimesAreWrittenInTheChosenLanguage)
{
    const QDateTime next(QDate(2040, 12, 10), QTime(13, 45));
    addTask(seedConnection(), "1", "alpha", "AllTask", "127.0.0.1", 1, {next}, QDateTime(QDate(2040, 12, 9), QTime()));
    ASSERT_TRUE(platform::Language::setCurrentName(QStringLiteral("简体中文")));
    makeWindow();
    ASSERT_EQ(list()->rowCount(), 1);
    EXPECT_EQ(list()->row(0).nextRunTime.toStdString(), "2040/12/10 13:45:00");
    EXPECT_EQ(list()->row(0).lastRunTime.toStdString(), "2040/12/9"); // midnight: the date alone

    // A run reports its times in the regional form.
    window().showRunTimes("1", "11 Dec 2026 08:00:05", "12 Dec 2026 08:00:00");
    EXPECT_EQ(list()->row(0).lastRunTime.toStdString(), "2026/12/11 08:00:05");
    EXPECT_EQ(list()->row(0).nextRunTime.toStdString(), "2026/12/12 08:00:00");

    QAction *english = languageItem(window(), "English");
    ASSERT_NE(english, nullptr);
    english->trigger();
    ASSERT_EQ(list()->rowCount(), 1);
    EXPECT_EQ(list()->row(0).nextRunTime.toStdString(), "10 Dec 2040 13:45:00");
    EXPECT_EQ(list()->row(0).lastRunTime.toStdString(), "9 Dec 2040");
}

// No heading is cut, with or without rows, after the sort mark moves and after the
// language changes; each is measured from its text, not from the header's own hint.
TEST_F(MainWindowTest, HeadingsShowWholeInEveryState)
{
    const auto expectWhole = [&](const char *state) {
        const QStringList cut = testsupport::cutHeadings(*list()->reportView()->header());
        EXPECT_TRUE(cut.isEmpty()) << state << ": " << cut.join("; ").toStdString();
    };
    makeWindow();
    window().show();
    ASSERT_EQ(list()->rowCount(), 0);
    expectWhole("empty list");

    addTask(seedConnection(), "1", "a", "AllTask", "127.0.0.1", 0);
    clickNode(-1);
    ASSERT_EQ(list()->rowCount(), 1);
    expectWhole("short rows");

    QHeaderView *header = list()->reportView()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(3) + 10, header->height() / 2));
    ASSERT_FALSE(list()->headingIcon(3).isNull());
    expectWhole("sorted by server");

    window().applyLanguage(QStringLiteral("简体中文"));
    expectWhole("Chinese");
    window().applyLanguage(QStringLiteral("English"));
    expectWhole("English again");
}

} // namespace

namespace {

// The tree's root, the status bar and the "All Log" page speak the chosen language.
TEST_F(MainWindowTest, TheWindowsOwnTextsFollowTheLanguage)
{
    addTask(seedConnection(), "1", "alpha", "AllTask", "127.0.0.1", 0);
    struct Case {
        const char *language, *root, *tasks, *running, *allLog, *closing;
    };
    const Case cases[] = {
        {"简体中文", "所有任务", " 1 个任务", " 0 个任务正在运行", "全部日志", "正在关闭..."},
        {"English", "All Tasks", " 1 Task(s)", " 0 Running Task(s)", "All Log", "Shutting Down..."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.language);
        ASSERT_TRUE(platform::Language::setCurrentName(QString::fromUtf8(c.language)));
        makeWindow();
        auto *pages = child<QTabWidget>(&window(), "PageCtrlLog");
        EXPECT_EQ(tree()->topLevelItem(0)->text(0), QString::fromUtf8(c.root));
        EXPECT_EQ(panel("StatusPanel1"), QString::fromUtf8(c.tasks));
        EXPECT_EQ(panel("StatusPanel2"), QString::fromUtf8(c.running));
        EXPECT_EQ(pages->tabText(0), QString::fromUtf8(c.allLog));
        window().close();
        EXPECT_EQ(panel("StatusPanel3"), QString::fromUtf8(c.closing));
        destroyWindow();
    }
}

} // namespace

namespace {

// Closing the window empties its tree; that is no choice of "All Tasks" by the user, so
// the list is not read and filled once more on the way out.
TEST_F(MainWindowTest, ClosingTheWindowDoesNotFillTheListAgain)
{
    addGroup(seedConnection(), "11", "Lab");
    addTask(seedConnection(), "1", "alpha", "11", "127.0.0.1", 0);
    addTask(seedConnection(), "2", "beta", "AllTask", "127.0.0.1", 0);
    makeWindow();
    window().show();
    clickNode(0);
    ASSERT_EQ(names(), QStringList{"alpha"});

    // A fill either resets the list's model or inserts rows into it.
    QAbstractItemModel *model = list()->reportView()->model();
    QSignalSpy reset(model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
    destroyWindow();
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(inserted.count(), 0);
}

} // namespace
