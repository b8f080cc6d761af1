#pragma once

#include <QObject>
#include <QString>

#include <optional>

class QMenu;
class QTreeWidgetItem;
class QWidget;

namespace execution {
class RunControl;
}
namespace scheduling {
class Scheduler;
}
namespace taskstore {
class Connection;
class Query;
enum class KeyTable;
} // namespace taskstore

namespace shell {

class GroupTree;
class TaskListView;
class TaskWindows;

// The commands on the selected task: new, edit, delete, view, duplicate, move to a group,
// copy its command line, and run, suspend and stop.
class TaskCommands : public QObject {
    Q_OBJECT
public:
    struct Store {
        taskstore::Connection &connection;
        taskstore::Query &query;
        taskstore::Query &timeQuery;
    };

    TaskCommands(TaskWindows &windows, Store store, TaskListView &list, const GroupTree &groups, QWidget &dialogParent);

    // Runs and the scheduler come with the data module; until then Run only asks for a
    // selection and nothing restarts.
    void attach(execution::RunControl *runControl, scheduling::Scheduler *scheduler);
    // Closing has begun: Run does nothing from now on.
    void refuseRuns() { m_refuseRuns = true; }

    void newClick();
    void editClick();
    void deleteClick();
    void viewClick();
    // A copy of the selected task in its group, listed when it belongs to the shown group.
    void duplicateClick();
    // The selected task's client command line, for a terminal, to the clipboard.
    void copyCommandLineClick();
    void runClick();
    void suspendClick();
    void stopClick();
    // The Move to Group menu: every node of the tree but the shown group.
    void fillMoveToGroupMenu(QMenu &menu);
    // The selected task onto a tree node (a drop from the list).
    void moveToNode(const QTreeWidgetItem &node);

private:
    QString selectedTaskId() const;
    void moveToGroup(const QString &taskId, const QString &groupKey);
    void appendRow(const QString &taskId);
    // Lists a task the editor has just saved and lets the scheduler see it.
    void showSavedTask(const QString &taskId);
    // Tells the user, and answers true, when the task is running.
    bool refuseWhileRunning(const QString &taskId, const char *key, const char *builtIn) const;
    // A new key for the table, or nothing after showing the database's error.
    std::optional<QString> newKey(taskstore::KeyTable table);
    void restartScheduler();

    TaskWindows &m_windows;
    Store m_store;
    TaskListView &m_list;
    const GroupTree &m_groups;
    QWidget &m_dialogParent;
    execution::RunControl *m_runControl = nullptr;
    scheduling::Scheduler *m_scheduler = nullptr;
    bool m_refuseRuns = false;
};

} // namespace shell
