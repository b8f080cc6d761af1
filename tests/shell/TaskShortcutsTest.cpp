// Double-click, Duplicate Task, Move to Group and Copy Command Line on the task list.
#include "ShellFixture.h"

#include "shell/TaskListView.h"
#include "taskdef/SaveError.h"
#include "taskdef/TaskDuplicate.h"
#include "taskstore/Connection.h"
#include "taskstore/Query.h"
#include "taskstore/TaskReader.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace shelltest;
using shell::TaskListView;

namespace {

class TaskShortcutsTest : public ::testing::Test, public ShellFixture {
protected:
    QTreeWidget *tree() { return child<QTreeWidget>(&window(), "treTaskGroup"); }
    TaskListView *list() { return child<TaskListView>(&window(), "lvwTask"); }
    QStringList names()
    {
        QStringList result;
        for (int i = 0; i < list()->rowCount(); ++i)
            result << list()->row(i).taskName;
        return result;
    }
    void clickNode(int childIndex)
    {
        QTreeWidgetItem *node = tree()->topLevelItem(0)->child(childIndex);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(node).center());
    }
    QString taskIdNamed(const QString &name)
    {
        taskstore::Query query(seedConnection());
        taskstore::OpenQuery(query, "select TaskID from Task where TaskName='" + name + "'");
        return query.isEmpty() ? QString() : query.asText("TaskID");
    }
    // What a task's rows hold, its key and name aside.
    QString storedShape(const QString &taskId)
    {
        taskstore::Query query(seedConnection());
        const taskstore::TaskRecord t = taskstore::readTaskRecord(query, taskId);
        QStringList shape{t.GroupID,
                          t.ServerIP,
                          t.SecretKey,
                          QString::number(t.Port),
                          t.AuthMode,
                          QString::number(t.RunType),
                          QString::number(t.RepeatTimes)};
        if (t.RunType == taskstore::kRunBySchedule)
            for (const taskstore::ScheduleRecord &s : taskstore::readScheduleRecords(query, taskId))
                shape << QString("%1/%2/%3").arg(s.ScheduleType).arg(s.value).arg(s.StartTime);
        return shape.join('|');
    }
    // As the window system delivers one: press, release, double-click, release.
    static void doubleClick(QWidget *widget, const QPoint &at)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    }
    QStringList menuTexts(QMenu *menu)
    {
        QStringList texts;
        for (QAction *action : menu->actions())
            texts << action->text();
        return texts;
    }
};

TEST_F(TaskShortcutsTest, DoubleClickEditsTheTaskAndTogglesATreeNode)
{
    addGroup(seedConnection(), "11", "Lab");
    addTask(seedConnection(), "1", "alpha", "AllTask", "127.0.0.1", 0);
    makeWindow();
    window().show();
    QTreeView *report = list()->reportView();
    const QRect row = report->visualRect(report->model()->index(0, 0));
    doubleClick(report->viewport(), row.center());
    EXPECT_EQ(windows.calls, QStringList({"edit 1"}));
    // Below the last row nothing is edited.
    doubleClick(report->viewport(), row.center() + QPoint(0, 5 * row.height()));
    EXPECT_EQ(windows.calls.size(), 1);

    QTreeWidgetItem *root = tree()->topLevelItem(0);
    ASSERT_TRUE(root->isExpanded());
    doubleClick(tree()->viewport(), tree()->visualItemRect(root).center());
    EXPECT_FALSE(root->isExpanded());
    doubleClick(tree()->viewport(), tree()->visualItemRect(root).center());
    EXPECT_TRUE(root->isExpanded());
}

TEST_F(TaskShortcutsTest, DuplicateCopiesRowsSchedulesAndScriptIntoTheSameGroup)
{
    struct Case {
        const char *action;
        int runType;
        bool withScript;
    };
    const Case cases[] = {{"pmuTaskDuplicate", 0, true}, {"mnuTaskDuplicate", 1, true}, {"pmuTaskDuplicate", 1, false}};
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(n);
        const QString id = QString::number(++n);
        const QString name = "task " + id;
        addGroup(seedConnection(), "g" + id, "Lab " + id);
        const QDateTime next(QDate(2030, 1, 2), QTime(8, 0));
        addTask(seedConnection(), id, name, "g" + id, "127.0.0.1", c.runType,
                c.runType ? QList<QDateTime>{next, next.addDays(1)} : QList<QDateTime>{});
        const QByteArray script = "User-Name = \"bob\"\r\nUser-Password = \"x y\"\r\n\r\nUser-Name = \"eve\"\r\n";
        if (c.withScript) {
            ASSERT_TRUE(dir.writeFile("script/" + id + ".txt", script));
        }
        makeWindow();
        clickNode(n - 1);
        list()->selectRow(0);
        child<QAction>(&window(), c.action)->trigger();

        EXPECT_EQ(names(), QStringList({name, name + " (copy)"}));
        const QString copy = taskIdNamed(name + " (copy)");
        ASSERT_FALSE(copy.isEmpty());
        EXPECT_NE(copy, id);
        EXPECT_EQ(list()->row(1).taskId, copy);
        EXPECT_EQ(storedShape(copy).toStdString(), storedShape(id).toStdString());
        EXPECT_EQ(QFile::exists(taskstore::scriptFilePath(copy)), c.withScript);
        if (c.withScript) {
            EXPECT_EQ(dir.readFile("script/" + copy + ".txt"), script);
        }
        EXPECT_TRUE(dialogs.messages().isEmpty());
        destroyWindow();
    }
}

TEST_F(TaskShortcutsTest, DuplicateOfAMissingTaskStoresNothingAndAnUnreadableScriptIsReported)
{
    EXPECT_FALSE(taskdef::duplicateTask(seedConnection(), "404", "405", QDateTime::currentDateTime()));
    addTask(seedConnection(), "1", "alpha", "AllTask", "127.0.0.1", 0);
    ASSERT_TRUE(QDir(dir.path()).mkpath("script/1.txt")); // there, but no file to read
    makeWindow();
    list()->selectRow(0);
    child<QAction>(&window(), "pmuTaskDuplicate")->trigger();
    EXPECT_EQ(names(), QStringList({"alpha"}));
    EXPECT_TRUE(taskIdNamed("alpha (copy)").isEmpty());
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.lastMessageText().contains("could not be read"));
}

TEST_F(TaskShortcutsTest, MoveToGroupOffersTheOtherNodesAndMovesTheTask)
{
    addGroup(seedConnection(), "11", "Lab");
    addGroup(seedConnection(), "12", "O'Brien's");
    addTask(seedConnection(), "1", "alpha", "11", "127.0.0.1", 0);
    addTask(seedConnection(), "2", "beta", "11", "127.0.0.1", 0);
    makeWindow();
    clickNode(0);
    list()->selectRow(0);
    QMenu *move = child<QMenu>(&window(), "pmuMoveToGroup");
    Q_EMIT move->aboutToShow();
    EXPECT_EQ(menuTexts(move), QStringList({"All Tasks", "O'Brien's"}));
    move->actions().at(1)->trigger();
    EXPECT_EQ(names(), QStringList({"beta"}));
    taskstore::Query query(seedConnection());
    EXPECT_EQ(taskstore::readTaskRecord(query, "1").GroupID, "12");
    clickNode(1);
    EXPECT_EQ(names(), QStringList({"alpha"}));

    // From a group to no group: listed under "All Tasks" only.
    list()->selectRow(0);
    Q_EMIT move->aboutToShow();
    EXPECT_EQ(menuTexts(move), QStringList({"All Tasks", "Lab"}));
    move->actions().at(0)->trigger();
    EXPECT_TRUE(names().isEmpty());
    EXPECT_EQ(taskstore::readTaskRecord(query, "1").GroupID, "AllTask");
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(TaskShortcutsTest, ARowDroppedOnAGroupNodeMovesItsTask)
{
    addGroup(seedConnection(), "11", "Lab");
    addGroup(seedConnection(), "12", "Other");
    addTask(seedConnection(), "1", "alpha", "11", "127.0.0.1", 0);
    makeWindow();
    window().show();
    clickNode(0);
    list()->selectRow(0);
    QAbstractItemModel *model = list()->reportView()->model();
    EXPECT_TRUE(list()->reportView()->dragEnabled());
    const std::unique_ptr<QMimeData> rows(model->mimeData({model->index(0, 0)}));
    QWidget *viewport = tree()->viewport();
    const auto send = [&](QEvent::Type type, const QPoint &at) {
        QDropEvent drop(QPointF(at), Qt::MoveAction, rows.get(), Qt::LeftButton, {}, type);
        if (type == QEvent::DragEnter) {
            QDragEnterEvent enter(at, Qt::MoveAction, rows.get(), Qt::LeftButton, {});
            QApplication::sendEvent(viewport, &enter);
            return enter.isAccepted();
        }
        QApplication::sendEvent(viewport, &drop);
        return drop.isAccepted();
    };
    const QPoint other = tree()->visualItemRect(tree()->topLevelItem(0)->child(1)).center();
    const QPoint below = viewport->rect().bottomLeft() + QPoint(5, -5);
    EXPECT_TRUE(send(QEvent::DragEnter, other));
    EXPECT_TRUE(send(QEvent::DragMove, other));
    EXPECT_FALSE(send(QEvent::DragMove, below));
    EXPECT_FALSE(send(QEvent::Drop, below));
    EXPECT_EQ(names(), QStringList({"alpha"}));

    // The next drag ends on the node.
    EXPECT_TRUE(send(QEvent::DragEnter, other));
    EXPECT_TRUE(send(QEvent::DragMove, other));
    EXPECT_TRUE(send(QEvent::Drop, other));
    EXPECT_TRUE(names().isEmpty());
    taskstore::Query query(seedConnection());
    EXPECT_EQ(taskstore::readTaskRecord(query, "1").GroupID, "12");
    clickNode(1);
    EXPECT_EQ(names(), QStringList({"alpha"}));
}

TEST_F(TaskShortcutsTest, CopyCommandLineGivesTheProgramAndScriptByTheirAbsolutePaths)
{
    ASSERT_TRUE(dir.writeFile("radclient", "#!/bin/sh\n"));
    QFile::setPermissions(dir.filePath("radclient"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    addTask(seedConnection(), "7", "alpha", "AllTask", "127.0.0.1", 0);
    makeWindow();
    QApplication::clipboard()->clear();
    list()->selectRow(0);
    child<QAction>(&window(), "pmuCopyCommandLine")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(),
              dir.filePath("radclient") + " -c 1  -f  \"" + dir.filePath("script/7.txt")
                  + "\"  -i 0  -n 0  -p 0  -r 0  -t 0  -sx  127.0.0.1:1812 0 secret");
}

} // namespace

namespace {

// Size, position, splitters and column widths come back in the next window, on screen.
TEST_F(TaskShortcutsTest, TheNextWindowComesBackAsTheLastOneWasLeft)
{
    struct Case {
        const char *leaveBy;
        QPoint at;
    };
    const Case cases[] = {{"mnuExit", QPoint(40, 30)}, {"close", QPoint(60, 50)}, {"close", QPoint(-9000, -9000)}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.leaveBy);
        makeWindow();
        window().show();
        window().setGeometry(QRect(c.at, QSize(700, 500)));
        auto *splitter = child<QSplitter>(&window(), "Splitter2");
        splitter->setSizes({150, 550});
        list()->reportView()->header()->resizeSection(1, 222);
        const QList<int> sizes = splitter->sizes();
        if (QString(c.leaveBy) == "close")
            window().close();
        else
            child<QAction>(&window(), c.leaveBy)->trigger();
        destroyWindow();

        makeWindow();
        window().show();
        EXPECT_EQ(window().size(), QSize(700, 500));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        if (screen.contains(c.at)) {
            EXPECT_EQ(window().geometry().topLeft(), c.at);
        } else {
            EXPECT_TRUE(screen.intersects(window().frameGeometry()));
        }
        EXPECT_EQ(child<QSplitter>(&window(), "Splitter2")->sizes(), sizes);
        EXPECT_EQ(list()->reportView()->header()->sectionSize(1), 222);
        destroyWindow();
    }
}

} // namespace
