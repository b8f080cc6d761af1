// Tasks with expectations run from the main window's own Run command: the verdict in the
// log, in the task list's last-result column and in Action -> Run History.
#include "E2eSuite.h"

#include "execution/RunControl.h"
#include "history/TfrmRunHistory.h"
#include "shell/TaskListView.h"
#include "shell/TfrmMain.h"
#include "taskstore/Connection.h"
#include "taskstore/ExpectationStore.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTableView>
#include <QTreeView>

namespace e2e {
namespace {

using taskstore::AttributeCheck;
using taskstore::CheckOperator;
using taskstore::PacketExpectation;
namespace replycode = taskstore::replycode;

struct VerdictCase {
    const char *task;
    PacketExpectation expected;
    const char *verdict; // as the last-result column shows it
    QStringList verdictLines;
};

class VerdictFlow : public E2eSuite {
protected:
    // The last-result cell of the task's row, with "+" when it carries an icon.
    QString lastResult(const QString &name)
    {
        auto *list = control<shell::TaskListView>(&program.main(), "lvwTask");
        const QModelIndex cell =
            list->reportView()->model()->index(user->taskIndex(name), shell::TaskListView::kLastResultColumn);
        return cell.data().toString() + (cell.data(Qt::DecorationRole).value<QIcon>().isNull() ? "" : "+");
    }

    // Action -> Run History for the selected task: its window, or null.
    history::TfrmRunHistory *openRunHistory()
    {
        auto *command = control<QAction>(&program.main(), "mnuRunHistory");
        if (!command || !command->isEnabled())
            return nullptr;
        command->trigger();
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *found = qobject_cast<history::TfrmRunHistory *>(top); found && found->isVisible())
                return found;
        return nullptr;
    }
};

TEST_F(VerdictFlow, RunFromTheWindowShowsTheVerdictInTheListAndTheHistory)
{
    ASSERT_TRUE(startPellion());
    const VerdictCase cases[] = {
        {"bob accepted",
         {1,
          replycode::kAccessAccept,
          {{"Reply-Message", CheckOperator::Matches, "^Hello, b.b$"}, {"Class", CheckOperator::Absent, {}}},
          10000},
         "pass",
         {"Verdict: pass"}},
        {"bob rejected",
         {1, replycode::kAccessReject, {{"Framed-IP-Address", CheckOperator::Present, {}}}, std::nullopt},
         "fail",
         {"Verdict: fail (2 failed check(s))", "Packet 1 (pass 1): expected Access-Reject; came: Access-Accept",
          "Packet 1 (pass 1): expected Framed-IP-Address present; came: no such attribute"}},
    };
    taskstore::Connection connection(taskstore::Connection::defaultPath());
    for (const VerdictCase &c : cases) {
        ASSERT_TRUE(user->newTask({c.task,
                                   "127.0.0.1",
                                   server().authPort(),
                                   server().secret(),
                                   "Auth",
                                   "PAP",
                                   {{{"User-Name", "bob"}, {"User-Password", "hello"}}}}))
            << program.dialogs.messageTexts().join("; ").toStdString();
        ASSERT_TRUE(taskstore::ExpectationStore(connection).replace(user->taskRow(c.task).taskId, {c.expected}).ok());
    }

    execution::RunControl *runs = program.main().runControl();
    auto *run = control<QAction>(&program.main(), "mnuRun");
    ASSERT_TRUE(run);
    for (const VerdictCase &c : cases) {
        SCOPED_TRACE(c.task);
        EXPECT_EQ(lastResult(c.task), "") << "not run yet";
        ASSERT_TRUE(user->selectTask(c.task));
        ASSERT_TRUE(run->isEnabled());
        QSignalSpy ended(runs, &execution::RunControl::runEnded);
        run->trigger();
        ASSERT_TRUE(ended.count() > 0 || ended.wait(20000)) << "the run did not end";
        EXPECT_EQ(ended.first().first().toString(), user->taskRow(c.task).taskId);

        const QStringList log = user->lastRunInAllLog(c.task);
        const int verdictAt = lineWith(log, "Verdict: ");
        ASSERT_GE(verdictAt, 0) << log.join('\n').toStdString();
        EXPECT_EQ(log.mid(verdictAt, c.verdictLines.size()), c.verdictLines);
        EXPECT_EQ(lastResult(c.task), QString(c.verdict) + "+");

        QPointer<history::TfrmRunHistory> history = openRunHistory();
        ASSERT_TRUE(history);
        const auto closeIt = qScopeGuard([history] {
            if (history)
                history->close();
        });
        EXPECT_EQ(history->windowTitle(), QString("Run History - ") + c.task);
        const QAbstractItemModel *table = history->findChild<QTableView *>("tblRuns")->model();
        ASSERT_EQ(table->rowCount(), 1);
        QStringList row;
        for (int column = 0; column < table->columnCount(); ++column)
            row << table->index(0, column).data().toString();
        EXPECT_TRUE(row.contains(c.verdict)) << row.join(" | ").toStdString();
        EXPECT_TRUE(row.contains("manual")) << row.join(" | ").toStdString();
    }
}

} // namespace
} // namespace e2e
