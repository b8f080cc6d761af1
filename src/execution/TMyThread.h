#pragma once

#include "execution/ClientLaunch.h"
#include "execution/RunClient.h"
#include "execution/RunFlags.h"
#include "execution/RunReport.h"
#include "execution/Settings.h"
#include "platform/UiThread.h"
#include "taskstore/RunHistoryStore.h"
#include "taskstore/TaskRecord.h"

#include <QString>
#include <QStringList>
#include <QThread>

#include <functional>

namespace taskstore {
class Connection;
}

namespace execution {

class RunJudgement;
class RunLogView;
class RunPage;
class TaskListUpdater;

// What a run reaches on the user-interface thread.
struct RunEnvironment {
    taskstore::Connection *runConnection = nullptr; // ADOConn_DoWork
    RunLogView *log = nullptr;
    TaskListUpdater *taskList = nullptr; // may be null
};

// One run of one task: reads the task, opens its log page, runs the client (ours with a
// records file), writes the verdict lines and the history row, stamps the due schedule rows, refreshes the task list,
// writes the banners and the log file block, moves its lines to "All Log". Every database and window step is handed to
// the user-interface thread. An error, or a step refused at shut-down, ends the sequence silently; the end-of-life step
// (run control's handling of `finished`) always follows.
class TMyThread : public QThread {
    Q_OBJECT
public:
    // How the task's client is started, asked on the worker thread.
    using LaunchOf = ClientLaunch (*)(const taskstore::TaskRecord &);

    // On the user-interface thread: takes the settings snapshot and the priority.
    TMyThread(const QString &taskId, const RunEnvironment &environment, QObject *parent = nullptr,
              LaunchOf launchOf = &ClientLaunch::forTask);
    // What started the run, for its history row (a new run counts as started by hand).
    void setTrigger(taskstore::RunTrigger trigger) { m_trigger = trigger; }

    const QString &taskId() const { return m_taskId; }
    // What the run found. Filled by the worker before it ends: read it once the thread has
    // finished (its `finished` signal, or wait()).
    const RunReport &report() const { return m_report; }

    // Starts a new thread, or resumes a suspended one.
    void Resume();
    void Suspend() { m_flags.suspend(); }
    bool isSuspended() const { return m_flags.isSuspended(); }
    // The stop flag; a suspended run must be resumed to notice it.
    void Terminate() { m_flags.requestStop(); }
    // Shut-down: stop at once, also while the client is silent or the run suspended, and
    // refuse its steps from now on (one waiting to run too): the run ends without them.
    void shutDown();
    // After the thread ended at shut-down, on the user-interface thread: a run cut short
    // writes the lines its page received, with the finish banner, to the log file.
    void writeUnfinishedBlock();
    // Whether the worker is held by a suspend (tests wait for it).
    bool isHeld() const { return m_flags.isHeld(); }
    // Whether the worker waits for a step that has not run yet (tests wait for it).
    bool hasWaitingStep() const { return m_line.hasWaitingStep(); }

protected:
    void run() override;

private:
    void onUi(const std::function<void()> &step);
    void runSequence();
    void stampScheduleRows();
    // Judges the finished run, writes the verdict lines and stores the history row.
    void recordVerdict(RunJudgement &judgement, const taskstore::TaskRecord &task);
    void appendToPage(const QList<ClientLine> &lines);
    void writeBanner(const QString &text);

    QString m_taskId;
    RunEnvironment m_env;
    taskstore::RunTrigger m_trigger = taskstore::RunTrigger::Manual;
    QDateTime m_start;
    RunReport m_report;
    LaunchOf m_launchOf;
    Settings m_settings;
    RunFlags m_flags;
    platform::HandOverLine m_line;
    QString m_startText;
    QString m_taskName;
    RunPage *m_page = nullptr;
    QStringList m_lines; // the page's lines, for the log file and "All Log"
    bool m_finishWritten = false;
    bool m_blockWritten = false;
};

} // namespace execution
