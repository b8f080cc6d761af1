// The task list's last-result column and Action -> Run History.
#include "ShellFixture.h"

#include "history/TfrmRunHistory.h"
#include "shell/TaskListOrder.h"
#include "shell/TaskListView.h"
#include "taskstore/RunHistoryStore.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace shelltest;
using shell::TaskListView;
using taskstore::Verdict;

namespace {

class LastResultTest : public ::testing::Test, public ShellFixture {
protected:
    TaskListView *list() { return child<TaskListView>(&window(), "lvwTask"); }

    void addRun(const QString &taskId, int minute, Verdict verdict)
    {
        taskstore::RunRecord run;
        run.taskId = taskId;
        run.start = QDateTime(QDate(2026, 3, 10), QTime(9, minute));
        run.end = run.start.addSecs(1);
        run.verdict = verdict;
        ASSERT_TRUE(taskstore::RunHistoryStore(seedConnection()).add(run).ok());
    }

    // name=result, row by row; "+" after a result that carries an icon.
    QStringList results()
    {
        QStringList out;
        for (int row = 0; row < list()->rowCount(); ++row) {
            const QModelIndex cell = list()->reportView()->model()->index(row, TaskListView::kLastResultColumn);
            out << list()->row(row).taskName + "=" + cell.data().toString()
                    + (cell.data(Qt::DecorationRole).value<QIcon>().isNull() ? "" : "+");
        }
        return out;
    }

    void refreshList()
    {
        QTreeWidget *tree = child<QTreeWidget>(&window(), "treTaskGroup");
        const QRect at = tree->visualItemRect(tree->topLevelItem(0));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at.center());
    }
};

TEST_F(LastResultTest, EachTaskShowsItsLatestVerdictAndARefreshShowsNewRuns)
{
    addTask(seedConnection(), "1", "alpha", "AllTask", "127.0.0.1", 0);
    addTask(seedConnection(), "2", "beta", "AllTask", "127.0.0.1", 0);
    addTask(seedConnection(), "3", "gamma", "AllTask", "127.0.0.1", 0);
    addRun("1", 5, Verdict::Fail);
    addRun("1", 10, Verdict::Pass);
    addRun("2", 1, Verdict::NotEvaluated);
    makeWindow();
    window().show();
    EXPECT_EQ(list()->heading(TaskListView::kLastResultColumn), "Last Result");
    EXPECT_FALSE(list()->reportView()->isColumnHidden(TaskListView::kLastResultColumn));
    EXPECT_EQ(results(), QStringList({"alpha=pass+", "beta=not evaluated+", "gamma="}));

    // Runs stored by another program meanwhile show on the next refresh.
    addRun("3", 20, Verdict::Fail);
    addRun("1", 30, Verdict::Fail);
    refreshList();
    EXPECT_EQ(results(), QStringList({"alpha=fail+", "beta=not evaluated+", "gamma=fail+"}));

    // Its header sorts like the others' (the first click Z to A).
    QHeaderView *header = list()->reportView()->header();
    QTest::mouseClick(
        header->viewport(), Qt::LeftButton, {},
        QPoint(header->sectionViewportPosition(TaskListView::kLastResultColumn) + 10, header->height() / 2));
    EXPECT_EQ(results().first(), "beta=not evaluated+");
    EXPECT_EQ(window().order().mark(TaskListView::kLastResultColumn), shell::TaskListOrder::Mark::Up);
}

// The run engine tells the window through its task-list interface as a run ends.
TEST_F(LastResultTest, ARunThatEndsShowsItsVerdictInItsRow)
{
    addTask(seedConnection(), "1", "alpha", "AllTask", "127.0.0.1", 0);
    addTask(seedConnection(), "2", "beta", "AllTask", "127.0.0.1", 0);
    makeWindow();
    execution::TaskListUpdater &updater = window();
    updater.showVerdict("2", Verdict::Fail);
    updater.showVerdict("9", Verdict::Pass); // not listed: nothing to show
    EXPECT_EQ(results(), QStringList({"alpha=", "beta=fail+"}));
    updater.showVerdict("2", Verdict::Pass);
    EXPECT_EQ(results(), QStringList({"alpha=", "beta=pass+"}));
}

TEST_F(LastResultTest, RunHistoryOpensForTheSelectedTask)
{
    addTask(seedConnection(), "1", "alpha", "AllTask", "127.0.0.1", 0);
    addTask(seedConnection(), "2", "beta", "AllTask", "127.0.0.1", 0);
    addRun("2", 1, Verdict::Pass);
    addRun("2", 2, Verdict::Fail);
    makeWindow();
    window().show();
    auto *command = child<QAction>(&window(), "mnuRunHistory");
    ASSERT_TRUE(command);
    EXPECT_FALSE(command->isEnabled()); // nothing selected

    list()->selectRow(1);
    ASSERT_TRUE(command->isEnabled());
    command->trigger();
    history::TfrmRunHistory *opened = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *found = qobject_cast<history::TfrmRunHistory *>(top); found && found->isVisible())
            opened = found;
    ASSERT_TRUE(opened);
    const auto closeIt = qScopeGuard([opened] { opened->close(); });
    EXPECT_EQ(opened->windowTitle(), "Run History - beta");
    EXPECT_EQ(opened->findChild<QTableView *>("tblRuns")->model()->rowCount(), 2);
}

} // namespace
