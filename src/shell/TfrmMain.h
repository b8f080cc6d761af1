#pragma once

#include "execution/RunCommandState.h"
#include "execution/TaskListUpdater.h"
#include "platform/LanguageFile.h"
#include "shell/CommandGroup.h"
#include "shell/FindDialog.h"
#include "shell/TaskListOrder.h"
#include "shell/TaskRows.h"
#include "shell/TfrmMainUi.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QSystemTrayIcon;
class QTimer;
class QTreeWidgetItem;

namespace execution {
class RunControl;
}
namespace scheduling {
class Scheduler;
}
namespace taskstore {
class Connection;
class GroupStore;
class Query;
enum class KeyTable;
} // namespace taskstore

namespace shell {

class LanguageMenu;
class TaskWindows;
class TfrmDataMod;

// The main window: group tree, task list, log pane, menus, toolbar, status bar, tray.
class TfrmMain : public QMainWindow, public execution::TaskListUpdater {
    Q_OBJECT
public:
    // Runs the window's part of start-up: opens the main connection (throws DatabaseError
    // when it cannot), applies the start-up settings, builds the Language menu and applies
    // the language, fills the tree, runs the start-up schedule pass, fills the list and
    // loads the RADIUS dictionary.
    explicit TfrmMain(TaskWindows &windows, QWidget *parent = nullptr);
    ~TfrmMain() override;

    // Run control and the scheduler use the data module's connections; the scheduler
    // starts from TimerCheckSch one second after the window was made.
    void attachDataModule(TfrmDataMod &dataModule);

    const TfrmMainUi &ui() const { return m_ui; }
    taskstore::Connection &connection() { return *m_connection; }
    execution::RunControl *runControl() const { return m_runControl.get(); }
    scheduling::Scheduler *scheduler() const { return m_scheduler.get(); }
    QSystemTrayIcon *trayIcon() const { return m_tray; }
    FindDialog *findDialog() const { return m_findDialog; }
    const TaskListOrder &order() const { return m_order; }

    QString selectedTaskId() const;
    // The key of the selected tree node ("AllTask" for the root).
    QString selectedGroupKey() const;
    void fillGroups();
    void fillTasks();
    void applyLanguage(const QString &language);

    // execution::TaskListUpdater
    void showRunTimes(const QString &taskId, const QString &lastRunTime, const QString &nextRunTime) override;
    void showVerdict(const QString &taskId, taskstore::Verdict verdict) override;

    // How the program ends on Exit (tests replace it); the default leaves the message loop.
    void setTerminate(std::function<void()> terminate) { m_terminate = std::move(terminate); }

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void connectCommands();
    void applyStartupSettings();
    void buildLanguageMenu();
    void loadDictionary();
    // A text of the window's own in the current language.
    QString word(const char *key, const char *builtIn) const;
    // Size, position, splitters and column widths, for the next start.
    void rememberWindowState() const;

    // Group tree and task list (TfrmMainTasks.cpp).
    QTreeWidgetItem *rootNode() const;
    QTreeWidgetItem *addGroupNode(const QString &name, const QString &key);
    void treTaskGroupChange();
    void treTaskGroupClick();
    void lvwTaskChange();
    // Edit, Delete, View and the run commands as the selected row and its task's run allow.
    void showSelectionStates();
    execution::RunCommandState selectedRunState() const;
    void lvwTaskColumnClick(int column);
    void setTaskCommandsEnabled(bool enabled);
    void groupAddClick();
    void groupRenClick();
    void groupDelClick();
    void taskNewClick();
    void taskEditClick();
    void taskDelClick();
    void taskViewClick();
    // A copy of the selected task in its group, listed when it belongs to the shown group.
    void taskDuplicateClick();
    // The selected task's client command line, for a terminal, to the clipboard.
    void copyCommandLineClick();
    // The Move to Group menu: every node of the tree but the shown group.
    void fillMoveToGroupMenu();
    void moveTaskToGroup(const QString &taskId, const QString &groupKey);
    // The selected task onto a tree node (a drop from the list).
    void moveTaskToNode(QTreeWidgetItem *node);
    void appendTaskRow(const QString &taskId);
    // Lists a task the editor has just saved and lets the scheduler see it.
    void showSavedTask(const QString &taskId);
    // Tells the user, and answers true, when the task is running.
    bool refuseWhileRunning(const QString &taskId, const QString &message);
    // A new key for the table, or nothing after showing the database's error.
    std::optional<QString> newKey(taskstore::KeyTable table);
    void restartScheduler();
    void setViewStyle(int style);

    // Commands, log pane and tray (TfrmMainCommands.cpp).
    void setRunCommandStates(execution::RunCommandState state);
    void setRunningCount(int count);
    void mnuToolBaxClick();
    void mnuTaskGroupClick();
    void mnuLogClick();
    void mnuStatusBarClick();
    void mnuDictManClick();
    void optionClick();
    void helpClick();
    void aboutClick();
    void homepageClick();
    void loadExamplesClick();
    void exitClick();
    void saveAsClick();
    void clearClick();
    void findClick();
    void findNext(const QString &text);
    void showForm();
    void restoreFromTray();
    void makeTrayIcon();

    TaskWindows &m_windows;
    TfrmMainUi m_ui{};
    std::unique_ptr<taskstore::Connection> m_connection; // ADOConn
    std::unique_ptr<taskstore::Query> m_query;           // ADOQuery
    std::unique_ptr<taskstore::Query> m_queryTime;       // ADOQueryTime
    std::unique_ptr<taskstore::GroupStore> m_groups;
    std::unique_ptr<execution::RunControl> m_runControl;
    std::unique_ptr<scheduling::Scheduler> m_scheduler;
    QTimer *m_timerCheckSch;
    QSystemTrayIcon *m_tray = nullptr;
    QPointer<FindDialog> m_findDialog;
    LanguageMenu *m_languageMenu = nullptr;
    TaskListOrder m_order;
    CommandGroup m_groupRename, m_groupDelete;
    CommandGroup m_taskRun, m_taskSuspend, m_taskStop, m_taskEdit, m_taskDelete, m_taskView;
    bool m_fillingTree = false;
    bool m_closing = false; // the close steps have begun: Run and the tray do nothing
    std::function<void()> m_terminate;
    platform::LanguageFile m_language;
};

} // namespace shell
