#pragma once

#include "execution/RunCommandState.h"
#include "execution/TaskListUpdater.h"
#include "platform/LanguageFile.h"
#include "shell/FindDialog.h"
#include "shell/TaskListOrder.h"
#include "shell/TaskRows.h"
#include "shell/TfrmMainUi.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QSystemTrayIcon;
class QTimer;

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
} // namespace taskstore

namespace shell {

class GroupTree;
class LanguageMenu;
class LogCommands;
class ProgramCommands;
class TaskCommands;
class TaskCommandStates;
class TaskWindows;
class TfrmDataMod;
class TrayControl;
class ViewCommands;

// The main window: group tree, task list, log pane, menus, toolbar, status bar, tray. It
// builds the window and connects the controls to the controllers that answer them.
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
    QSystemTrayIcon *trayIcon() const;
    FindDialog *findDialog() const;
    const TaskListOrder &order() const;

    QString selectedTaskId() const;
    // The key of the selected tree node ("AllTask" for the root).
    QString selectedGroupKey() const;
    void fillGroups();
    void fillTasks();
    // After tasks and groups came from elsewhere (examples, a group file): the tree read
    // again, its root chosen, and the list showing what the root holds now.
    void fillGroupsAndList();
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
    // Every control's signal to the controller that answers it: the one place a new
    // command is connected.
    void connectCommands();
    void connectTaskList();
    void applyStartupSettings();
    void buildLanguageMenu();
    void loadDictionary();
    // A text of the window's own in the current language.
    QString word(const char *key, const char *builtIn) const;
    // Size, position, splitters and column widths, for the next start.
    void rememberWindowState() const;
    // The list follows the chosen group; a database error is shown, not thrown.
    void showChosenGroup();
    // The task count in the status bar, and the commands the selection allows.
    void lvwTaskChange();
    void showSelectionStates();
    void setRunningCount(int count);
    void loadExamplesClick();
    void exitClick();

    TaskWindows &m_windows;
    TfrmMainUi m_ui{};
    std::unique_ptr<taskstore::Connection> m_connection; // ADOConn
    std::unique_ptr<taskstore::Query> m_query;           // ADOQuery
    std::unique_ptr<taskstore::Query> m_queryTime;       // ADOQueryTime
    std::unique_ptr<taskstore::GroupStore> m_groups;
    std::unique_ptr<execution::RunControl> m_runControl;
    std::unique_ptr<scheduling::Scheduler> m_scheduler;
    // The controllers use the stores above, so they go before them.
    std::unique_ptr<GroupTree> m_groupTree;
    std::unique_ptr<TaskCommands> m_taskCommands;
    std::unique_ptr<TaskCommandStates> m_taskStates;
    std::unique_ptr<LogCommands> m_logCommands;
    std::unique_ptr<TrayControl> m_tray;
    std::unique_ptr<ViewCommands> m_view;
    std::unique_ptr<ProgramCommands> m_program;
    QTimer *m_timerCheckSch;
    LanguageMenu *m_languageMenu = nullptr;
    bool m_closing = false; // the close steps have begun: Run, the scheduler and the tray do nothing
    std::function<void()> m_terminate;
    platform::LanguageFile m_language;
};

} // namespace shell
