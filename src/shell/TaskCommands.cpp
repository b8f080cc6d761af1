#include "shell/TaskCommands.h"

#include "shell/TaskListColumns.h"

#include "execution/RunControl.h"
#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/Language.h"
#include "platform/TextError.h"
#include "scheduling/Scheduler.h"
#include "shell/GroupTree.h"
#include "shell/TaskListView.h"
#include "shell/TaskRows.h"
#include "shell/TaskWindows.h"
#include "shell/TerminalCommandLine.h"
#include "taskdef/TaskDuplicate.h"
#include "taskstore/DatabaseError.h"
#include "taskstore/NewRecordId.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskMove.h"
#include "taskstore/TaskReader.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTreeWidgetItem>

namespace shell {

namespace {
void showError(const QString &text)
{
    platform::DialogService::instance().showError(text);
}
} // namespace

TaskCommands::TaskCommands(TaskWindows &windows, Store store, TaskListView &list, const GroupTree &groups,
                           QWidget &dialogParent)
    : m_windows(windows), m_store(store), m_list(list), m_groups(groups), m_dialogParent(dialogParent)
{
}

void TaskCommands::attach(execution::RunControl *runControl, scheduling::Scheduler *scheduler)
{
    m_runControl = runControl;
    m_scheduler = scheduler;
}

QString TaskCommands::selectedTaskId() const
{
    return m_list.selectedTaskId();
}

std::optional<QString> TaskCommands::newKey(taskstore::KeyTable table)
{
    try {
        return taskstore::NewRecordId(m_store.query, table);
    } catch (const taskstore::DatabaseError &error) {
        showError(error.text());
        return std::nullopt;
    }
}

void TaskCommands::appendRow(const QString &taskId)
{
    m_list.appendRow(readTaskRow(m_store.timeQuery, taskId, history::LanguageDates::current()));
    showLastResults(m_list, m_store.connection); // an edited task keeps its runs
}

void TaskCommands::restartScheduler()
{
    if (m_scheduler)
        m_scheduler->restart();
}

void TaskCommands::showSavedTask(const QString &taskId)
{
    try {
        appendRow(taskId);
    } catch (const taskstore::DatabaseError &error) {
        showError(error.text());
    }
    restartScheduler();
}

bool TaskCommands::refuseWhileRunning(const QString &taskId, const char *key, const char *builtIn) const
{
    if (!m_runControl || !m_runControl->isRunning(taskId))
        return false;
    platform::DialogService::instance().inform(
        platform::Language::text("frmMain", key, builtIn) + QLatin1Char('\n')
        + platform::Language::text("frmMain", "WaitForRun",
                                   "Please wait while task work finished and then try again."));
    return true;
}

void TaskCommands::newClick()
{
    const std::optional<QString> taskId = newKey(taskstore::KeyTable::Task);
    if (!taskId || !m_windows.openNewTask(&m_dialogParent, *taskId, m_groups.selectedKey()))
        return;
    showSavedTask(*taskId);
}

void TaskCommands::editClick()
{
    const QString taskId = selectedTaskId();
    if (refuseWhileRunning(taskId, "EditRunning", "You can't modify properties of the running Task."))
        return;
    if (!m_windows.openEditTask(&m_dialogParent, taskId))
        return;
    // The saved task replaces its row, at the end of the list.
    m_list.removeRow(taskId);
    showSavedTask(taskId);
}

void TaskCommands::deleteClick()
{
    const QString taskId = selectedTaskId();
    if (refuseWhileRunning(taskId, "DeleteRunning", "You can't delete the running Task."))
        return;
    if (!platform::DialogService::instance().askOkCancel(
            platform::Language::text("frmMain", "DeleteTaskAsk", "Do you really want to delete the selected task?")))
        return;
    try {
        taskstore::deleteTaskRows(m_store.query, taskId, true);
    } catch (const taskstore::DatabaseError &error) {
        showError(error.text());
        return;
    }
    m_list.removeRow(taskId);
    restartScheduler();
}

void TaskCommands::viewClick()
{
    m_windows.openView(&m_dialogParent, selectedTaskId());
}

void TaskCommands::duplicateClick()
{
    const QString taskId = selectedTaskId();
    if (taskId.isEmpty())
        return;
    const std::optional<QString> copyId = newKey(taskstore::KeyTable::Task);
    if (!copyId)
        return;
    try {
        taskstore::Query query(m_store.connection);
        const QString groupId = taskstore::readTaskRecord(query, taskId).GroupID;
        if (!taskdef::duplicateTask(m_store.connection, taskId, *copyId, platform::Clock::now()))
            return;
        const QString shown = m_groups.selectedKey();
        if (shown == kAllTasksKey || shown == groupId)
            appendRow(*copyId);
    } catch (const taskstore::DatabaseError &error) {
        showError(error.text());
    } catch (const platform::TextError &error) { // the script file, or a rule that does not read
        showError(error.text());
    }
    restartScheduler();
}

void TaskCommands::copyCommandLineClick()
{
    const QString taskId = selectedTaskId();
    if (taskId.isEmpty())
        return;
    try {
        taskstore::Query query(m_store.connection);
        QApplication::clipboard()->setText(terminalCommandLine(taskstore::readTaskRecord(query, taskId)));
    } catch (const taskstore::DatabaseError &error) {
        showError(error.text());
    }
}

void TaskCommands::runClick()
{
    if (m_refuseRuns)
        return;
    if (m_runControl)
        m_runControl->runClicked(selectedTaskId());
    else if (!m_list.hasSelection())
        platform::DialogService::instance().inform(
            platform::Language::text("frmMain", "SelectTask", "Please select a task."));
}

void TaskCommands::suspendClick()
{
    if (m_runControl)
        m_runControl->suspendClicked(selectedTaskId());
}

void TaskCommands::stopClick()
{
    if (m_runControl)
        m_runControl->stopClicked(selectedTaskId());
}

void TaskCommands::fillMoveToGroupMenu(QMenu &menu)
{
    menu.clear();
    const QString shown = m_groups.selectedKey();
    for (const QTreeWidgetItem *node : m_groups.nodes()) {
        const QString key = GroupTree::keyOf(node);
        if (key == shown)
            continue;
        QAction *move = menu.addAction(node->icon(0), node->text(0));
        connect(move, &QAction::triggered, this, [this, key] { moveToGroup(selectedTaskId(), key); });
    }
}

void TaskCommands::moveToNode(const QTreeWidgetItem &node)
{
    moveToGroup(selectedTaskId(), GroupTree::keyOf(&node));
}

void TaskCommands::moveToGroup(const QString &taskId, const QString &groupKey)
{
    if (taskId.isEmpty())
        return;
    const taskstore::StoreStatus moved = taskstore::moveTaskToGroup(m_store.connection, taskId, groupKey);
    if (!moved.ok()) {
        showError(moved.error());
        return;
    }
    // The shown group loses the task; "All Tasks" keeps every task.
    const QString shown = m_groups.selectedKey();
    if (shown != kAllTasksKey && shown != groupKey)
        m_list.removeRow(taskId);
}

} // namespace shell
