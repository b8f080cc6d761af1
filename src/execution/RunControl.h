#pragma once

#include "execution/RunCommandState.h"
#include "execution/TMyThread.h"
#include "platform/OwnedThreads.h"
#include "scheduling/RunStarter.h"
#include "scheduling/Scheduler.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

namespace execution {

// The running-task list (lvwRunTaskList) and the run commands. User-interface thread only.
// The main window calls the *Clicked slots with the selected task ID ("0" or empty when no
// row is selected), calls updateCommandStates on every selection change, and follows the
// two signals (command states of spbtnRun/mnuRun/pmuRun and their kin; the status bar's
// " %d Running Task(s)").
class RunControl : public QObject, public scheduling::RunStarter {
    Q_OBJECT
public:
    explicit RunControl(const RunEnvironment &environment, QObject *parent = nullptr);
    ~RunControl() override; // shuts down

    void setScheduler(scheduling::Scheduler *scheduler) { m_scheduler = scheduler; }

    // spbtnRunClick: resumes the first suspended run of the task, or starts a new one.
    // "Please select a task." when nothing is selected. Nothing while closing.
    void runClicked(const QString &selectedTaskId);
    void suspendClicked(const QString &selectedTaskId);
    void stopClicked(const QString &selectedTaskId);
    // Action → Check Server Security: the task's server checked for CVE-2024-3596 like a run
    // of the task, in a log page of its own.
    void checkSecurityClicked(const QString &selectedTaskId);
    void updateCommandStates(const QString &selectedTaskId);

    bool isRunning(const QString &taskId) const override;
    void startRun(const QString &taskId) override; // the scheduler's start, created running

    // The program is closing: stops every listed run, empties the list and shuts the
    // scheduler down; every run still going, also stopped, suspended and silent ones, is
    // told to end and its steps are refused (one waiting to run too); then each is waited
    // for and deleted. No event is processed meanwhile, so no user input is delivered.
    // Nothing starts afterwards.
    void shutDown();
    bool isClosing() const { return m_closing; }

    int runningCount() const { return int(m_entries.size()); }
    RunCommandState commandState() const { return m_state; }
    // The first entry's run for the task (tests, and suspend state queries).
    TMyThread *firstRunOf(const QString &taskId) const;
    int liveRunCount() const { return m_threads.size(); } // including stopped ones

Q_SIGNALS:
    void commandStatesChanged(execution::RunCommandState state);
    void runningCountChanged(int count);
    void runEnded(const QString &taskId); // after its end-of-life step

private:
    struct Entry {
        QString taskId;
        TMyThread *run; // owned by m_threads; the entry goes before the run is deleted
    };
    // Nothing while closing; "Please select a task." without a selection.
    bool mayStart(const QString &selectedTaskId) const;
    TMyThread *createRun(const QString &taskId, TMyThread::LaunchOf launchOf = &ClientLaunch::forTask);
    void appendEntry(const QString &taskId, TMyThread *run);
    void removeEntry(qsizetype index);
    void setState(RunCommandState state);
    void onRunEnded(const TMyThread *run);
    qsizetype firstEntry(const QString &taskId) const;

    RunEnvironment m_env;
    QList<Entry> m_entries;
    platform::OwnedThreads<TMyThread> m_threads; // every run not yet ended
    RunCommandState m_state = RunCommandState::Idle;
    bool m_closing = false;                      // shutDown has run: nothing starts any more
    QPointer<scheduling::Scheduler> m_scheduler; // not owned; forgotten when it goes
};

} // namespace execution
