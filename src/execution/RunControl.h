#pragma once

#include "execution/RunCommandState.h"
#include "execution/TMyThread.h"
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
    ~RunControl() override; // abandons and waits for every run still going

    void setScheduler(scheduling::Scheduler *scheduler) { m_scheduler = scheduler; }

    // spbtnRunClick: resumes the first suspended run of the task, or starts a new one.
    // "Please select a task." when nothing is selected.
    void runClicked(const QString &selectedTaskId);
    void suspendClicked(const QString &selectedTaskId);
    void stopClicked(const QString &selectedTaskId);
    void updateCommandStates(const QString &selectedTaskId);

    bool isRunning(const QString &taskId) const override;
    void startRun(const QString &taskId) override; // the scheduler's start, created running

    // Shut-down: stops every listed run, empties the list, stops the scheduler, then
    // processes events until every run and scheduler thread has ended or `milliseconds`
    // passed. Suspended and silent runs are woken; the scheduler starts no run after it.
    // True when all ended.
    bool stopAll(int milliseconds = 1000);

    int runningCount() const { return int(m_entries.size()); }
    RunCommandState commandState() const { return m_state; }
    // The first entry's run for the task (tests, and suspend state queries).
    TMyThread *firstRunOf(const QString &taskId) const;
    int liveRunCount() const { return int(m_threads.size()); } // including stopped ones

Q_SIGNALS:
    void commandStatesChanged(execution::RunCommandState state);
    void runningCountChanged(int count);
    void runEnded(const QString &taskId); // after its end-of-life step

private:
    struct Entry {
        QString taskId;
        QPointer<TMyThread> run;
    };
    TMyThread *createRun(const QString &taskId);
    void appendEntry(const QString &taskId, TMyThread *run);
    void removeEntry(qsizetype index);
    void setState(RunCommandState state);
    void onRunEnded(TMyThread *run);
    qsizetype firstEntry(const QString &taskId) const;

    RunEnvironment m_env;
    QList<Entry> m_entries;
    QList<TMyThread *> m_threads; // every run not yet ended; owned
    RunCommandState m_state = RunCommandState::Idle;
    bool m_closing = false; // stopAll has run: the scheduler starts nothing more
    QPointer<scheduling::Scheduler> m_scheduler; // not owned; forgotten when it goes
};

} // namespace execution
