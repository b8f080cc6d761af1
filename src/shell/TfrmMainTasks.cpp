// TfrmMain: the group tree, the task list and their commands.
#include "shell/TfrmMain.h"

#include "execution/RunControl.h"
#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/TextError.h"
#include "scheduling/Scheduler.h"
#include "shell/ShellIcons.h"
#include "shell/TaskListColumns.h"
#include "shell/TaskListView.h"
#include "shell/TaskWindows.h"
#include "shell/TerminalCommandLine.h"
#include "shell/TfrmGroup.h"
#include "taskdef/TaskDuplicate.h"
#include "taskstore/DatabaseError.h"
#include "taskstore/GroupStore.h"
#include "taskstore/NewRecordId.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskMove.h"
#include "taskstore/TaskReader.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QTreeWidget>

namespace shell {

namespace {
constexpr int kKeyRole = Qt::UserRole + 1;

QIcon nodeIcon(ShellIcons::Picture normal, ShellIcons::Picture selected)
{
    QIcon icon = ShellIcons::picture(normal);
    const QIcon chosen = ShellIcons::picture(selected);
    for (const QSize &size : chosen.availableSizes())
        icon.addPixmap(chosen.pixmap(size), QIcon::Selected);
    return icon;
}

void showStoreError(const QString &text)
{
    platform::DialogService::instance().showError(text);
}

void showDatabaseError(const taskstore::DatabaseError &error)
{
    showStoreError(error.text());
}
} // namespace

QTreeWidgetItem *TfrmMain::rootNode() const
{
    return m_ui.treTaskGroup->topLevelItemCount() > 0 ? m_ui.treTaskGroup->topLevelItem(0) : nullptr;
}

QString TfrmMain::selectedGroupKey() const
{
    const QList<QTreeWidgetItem *> selected = m_ui.treTaskGroup->selectedItems();
    return selected.isEmpty() ? kAllTasksKey : selected.first()->data(0, kKeyRole).toString();
}

QString TfrmMain::selectedTaskId() const
{
    return m_ui.lvwTask->selectedTaskId();
}

QTreeWidgetItem *TfrmMain::addGroupNode(const QString &name, const QString &key)
{
    auto *node = new QTreeWidgetItem(rootNode(), {name});
    node->setData(0, kKeyRole, key);
    node->setIcon(0, nodeIcon(ShellIcons::Group, ShellIcons::GroupSelected));
    node->setExpanded(true);
    return node;
}

void TfrmMain::fillGroups()
{
    m_fillingTree = true;
    m_ui.treTaskGroup->clear();
    auto *root = new QTreeWidgetItem(m_ui.treTaskGroup, {word("RootNode", "All Tasks")});
    root->setData(0, kKeyRole, kAllTasksKey);
    root->setIcon(0, nodeIcon(ShellIcons::Root, ShellIcons::RootSelected));
    const taskstore::StoreResult<QList<taskstore::GroupRow>> groups = m_groups->groups();
    if (!groups.ok())
        throw taskstore::DatabaseError(groups.error());
    for (const taskstore::GroupRow &group : groups.value())
        addGroupNode(group.name, group.id);
    root->setExpanded(true);
    m_ui.treTaskGroup->setCurrentItem(root);
    m_fillingTree = false;
    treTaskGroupChange();
}

void TfrmMain::fillTasks()
{
    const QList<TaskRow> rows = readTaskRows(*m_query, *m_queryTime, selectedGroupKey());
    m_ui.lvwTask->setUpdatesEnabled(false);
    m_ui.lvwTask->setRows(rows);
    showLastResults(*m_ui.lvwTask, *m_connection);
    fitTaskListColumns(*m_ui.lvwTask);
    m_ui.lvwTask->setUpdatesEnabled(true);
}

void TfrmMain::treTaskGroupChange()
{
    const bool group = selectedGroupKey() != kAllTasksKey && !m_ui.treTaskGroup->selectedItems().isEmpty();
    m_groupRename.setEnabled(group);
    m_groupDelete.setEnabled(group);
}

void TfrmMain::treTaskGroupClick()
{
    try {
        fillTasks();
    } catch (const taskstore::DatabaseError &error) {
        showDatabaseError(error);
    }
}

void TfrmMain::setTaskCommandsEnabled(bool enabled)
{
    m_taskRun.setEnabled(enabled);
    m_taskEdit.setEnabled(enabled);
    m_taskDelete.setEnabled(enabled);
    m_taskView.setEnabled(enabled);
}

execution::RunCommandState TfrmMain::selectedRunState() const
{
    const QString taskId = selectedTaskId();
    if (!m_runControl || !m_runControl->isRunning(taskId))
        return execution::RunCommandState::Idle;
    const execution::TMyThread *run = m_runControl->firstRunOf(taskId);
    return run && run->isSuspended() ? execution::RunCommandState::Suspended : execution::RunCommandState::Running;
}

void TfrmMain::showSelectionStates()
{
    // Run follows the selected task's own run: a running task is never offered Run again.
    const bool selected = m_ui.lvwTask->hasSelection();
    setTaskCommandsEnabled(selected);
    setRunCommandStates(selected ? selectedRunState() : execution::RunCommandState::Idle);
    if (!selected)
        m_taskRun.setEnabled(false);
}

void TfrmMain::lvwTaskChange()
{
    m_ui.StatusPanel1->setText(QLatin1Char(' ') + word("TaskCount", "%1 Task(s)").arg(m_ui.lvwTask->rowCount()));
    showSelectionStates();
}

void TfrmMain::lvwTaskColumnClick(int column)
{
    if (column < 0 || column >= TaskListView::kColumns || column == TaskListView::kHiddenColumn)
        return; // the hidden fifth column has no comparison
    const bool ascending = m_order.headerClicked(column);
    for (int each = 0; each < TaskListView::kColumns; ++each) {
        const TaskListOrder::Mark mark = m_order.mark(each);
        m_ui.lvwTask->setHeadingIcon(
            each,
            mark == TaskListOrder::Mark::None
                ? QIcon()
                : ShellIcons::picture(mark == TaskListOrder::Mark::Up ? ShellIcons::MarkUp : ShellIcons::MarkDown));
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_ui.lvwTask->sortBy(column, ascending);
    QApplication::restoreOverrideCursor();
}

std::optional<QString> TfrmMain::newKey(taskstore::KeyTable table)
{
    try {
        return taskstore::NewRecordId(*m_query, table);
    } catch (const taskstore::DatabaseError &error) {
        showDatabaseError(error);
        return std::nullopt;
    }
}

void TfrmMain::groupAddClick()
{
    const taskstore::StoreResult<QString> newGroupKey = m_groups->newGroupId();
    if (!newGroupKey.ok()) {
        showStoreError(newGroupKey.error());
        return;
    }
    const QString key = newGroupKey.value();
    // The row is stored first, so a failed statement leaves neither row nor node.
    TfrmGroup dialog(
        TfrmGroup::Mode::Add, key, QString(),
        [this, key](const QString &name) {
            const taskstore::StoreStatus added = m_groups->add(key, name);
            if (!added.ok()) {
                showStoreError(added.error());
                return false;
            }
            m_fillingTree = true;
            m_ui.treTaskGroup->setCurrentItem(addGroupNode(name, key));
            m_fillingTree = false;
            treTaskGroupChange();
            return true;
        },
        this);
    dialog.exec();
    treTaskGroupClick();
}

void TfrmMain::groupRenClick()
{
    QTreeWidgetItem *node = m_ui.treTaskGroup->currentItem();
    if (!node || node == rootNode())
        return;
    const QString key = node->data(0, kKeyRole).toString();
    TfrmGroup dialog(
        TfrmGroup::Mode::Rename, key, node->text(0),
        [this, node, key](const QString &name) {
            const taskstore::StoreStatus renamed = m_groups->rename(key, name);
            if (!renamed.ok()) {
                showStoreError(renamed.error());
                return false;
            }
            node->setText(0, name);
            return true;
        },
        this);
    dialog.exec();
}

void TfrmMain::groupDelClick()
{
    QTreeWidgetItem *node = m_ui.treTaskGroup->currentItem();
    if (!node || node == rootNode())
        return;
    if (!platform::DialogService::instance().askOkCancel(
            QStringLiteral("Do you really want to delete the selected task group?")))
        return;
    const taskstore::StoreStatus removed = m_groups->remove(node->data(0, kKeyRole).toString());
    if (!removed.ok()) {
        showStoreError(removed.error());
        return;
    }
    // The list keeps its rows until the next tree click; the group's tasks stay stored.
    m_fillingTree = true;
    delete node;
    m_ui.treTaskGroup->setCurrentItem(rootNode());
    m_fillingTree = false;
    treTaskGroupChange();
}

void TfrmMain::appendTaskRow(const QString &taskId)
{
    m_ui.lvwTask->appendRow(readTaskRow(*m_queryTime, taskId));
    showLastResults(*m_ui.lvwTask, *m_connection); // an edited task keeps its runs
}

void TfrmMain::restartScheduler()
{
    if (m_scheduler)
        m_scheduler->restart();
}

void TfrmMain::showSavedTask(const QString &taskId)
{
    try {
        appendTaskRow(taskId);
    } catch (const taskstore::DatabaseError &error) {
        showDatabaseError(error);
    }
    restartScheduler();
}

bool TfrmMain::refuseWhileRunning(const QString &taskId, const QString &message)
{
    if (!m_runControl || !m_runControl->isRunning(taskId))
        return false;
    platform::DialogService::instance().inform(message);
    return true;
}

void TfrmMain::taskNewClick()
{
    const std::optional<QString> taskId = newKey(taskstore::KeyTable::Task);
    if (!taskId || !m_windows.openNewTask(this, *taskId, selectedGroupKey()))
        return;
    showSavedTask(*taskId);
}

void TfrmMain::taskEditClick()
{
    const QString taskId = selectedTaskId();
    if (refuseWhileRunning(taskId,
                           QStringLiteral("You can't modify properties of the running Task.\n"
                                          "Please wait while task work finished and then try again.")))
        return;
    if (!m_windows.openEditTask(this, taskId))
        return;
    // The saved task replaces its row, at the end of the list.
    m_ui.lvwTask->removeRow(taskId);
    showSavedTask(taskId);
}

void TfrmMain::taskDelClick()
{
    const QString taskId = selectedTaskId();
    if (refuseWhileRunning(taskId,
                           QStringLiteral("You can't delete the running Task.\n"
                                          "Please wait while task work finished and then try again.")))
        return;
    if (!platform::DialogService::instance().askOkCancel(
            QStringLiteral("Do you really want to delete the selected task?")))
        return;
    try {
        taskstore::deleteTaskRows(*m_query, taskId, true);
    } catch (const taskstore::DatabaseError &error) {
        showDatabaseError(error);
        return;
    }
    m_ui.lvwTask->removeRow(taskId);
    restartScheduler();
}

void TfrmMain::taskViewClick()
{
    m_windows.openView(this, selectedTaskId());
}

void TfrmMain::showRunTimes(const QString &taskId, const QString &lastRunTime, const QString &nextRunTime)
{
    m_ui.lvwTask->updateTimes(taskId, lastRunTime, nextRunTime);
    QCoreApplication::processEvents();
}

void TfrmMain::showVerdict(const QString &taskId, taskstore::Verdict verdict)
{
    showLastResult(*m_ui.lvwTask, taskId, verdict);
}

void TfrmMain::setViewStyle(int style)
{
    m_ui.lvwTask->setStyle(TaskListView::Style(style));
    const QList<QAction *> menuItems = {m_ui.mnuLargeIcon, m_ui.mnuSmallIcon, m_ui.mnuList, m_ui.mnuDetailed};
    const QList<QAction *> popupItems = {m_ui.pmuLargleIcon, m_ui.pmuSmallIcon, m_ui.pmuList, m_ui.pmuDetailed};
    menuItems.at(style)->setChecked(true);
    popupItems.at(style)->setChecked(true);
}

void TfrmMain::taskDuplicateClick()
{
    const QString taskId = selectedTaskId();
    if (taskId.isEmpty())
        return;
    const std::optional<QString> copyId = newKey(taskstore::KeyTable::Task);
    if (!copyId)
        return;
    try {
        taskstore::Query query(*m_connection);
        const QString groupId = taskstore::readTaskRecord(query, taskId).GroupID;
        if (!taskdef::duplicateTask(*m_connection, taskId, *copyId, platform::Clock::now()))
            return;
        const QString shown = selectedGroupKey();
        if (shown == kAllTasksKey || shown == groupId)
            appendTaskRow(*copyId);
    } catch (const taskstore::DatabaseError &error) {
        showDatabaseError(error);
    } catch (const platform::TextError &error) { // the script file, or a rule that does not read
        showStoreError(error.text());
    }
    restartScheduler();
}

void TfrmMain::copyCommandLineClick()
{
    const QString taskId = selectedTaskId();
    if (taskId.isEmpty())
        return;
    try {
        taskstore::Query query(*m_connection);
        QApplication::clipboard()->setText(terminalCommandLine(taskstore::readTaskRecord(query, taskId)));
    } catch (const taskstore::DatabaseError &error) {
        showDatabaseError(error);
    }
}

void TfrmMain::fillMoveToGroupMenu()
{
    QMenu *menu = m_ui.pmuMoveToGroup;
    menu->clear();
    QTreeWidgetItem *root = rootNode();
    if (!root)
        return;
    QList<QTreeWidgetItem *> nodes{root};
    for (int i = 0; i < root->childCount(); ++i)
        nodes << root->child(i);
    const QString shown = selectedGroupKey();
    for (QTreeWidgetItem *node : std::as_const(nodes)) {
        const QString key = node->data(0, kKeyRole).toString();
        if (key == shown)
            continue;
        QAction *move = menu->addAction(node->icon(0), node->text(0));
        connect(move, &QAction::triggered, this, [this, key] { moveTaskToGroup(selectedTaskId(), key); });
    }
}

void TfrmMain::moveTaskToNode(QTreeWidgetItem *node)
{
    moveTaskToGroup(selectedTaskId(), node->data(0, kKeyRole).toString());
}

void TfrmMain::moveTaskToGroup(const QString &taskId, const QString &groupKey)
{
    if (taskId.isEmpty())
        return;
    const taskstore::StoreStatus moved = taskstore::moveTaskToGroup(*m_connection, taskId, groupKey);
    if (!moved.ok()) {
        showStoreError(moved.error());
        return;
    }
    // The shown group loses the task; "All Tasks" keeps every task.
    const QString shown = selectedGroupKey();
    if (shown != kAllTasksKey && shown != groupKey)
        m_ui.lvwTask->removeRow(taskId);
}

} // namespace shell
