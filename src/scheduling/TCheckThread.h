#pragma once

#include <QThread>

namespace taskstore {
class Connection;
}

namespace scheduling {

class RunStarter;
class SchedulerPass;

// The scheduler thread: a pass a little over a second apart reads every rule row (on the
// user-interface thread, through the check connection) and starts a run for each due
// task that is not running. An error in a pass ends the thread silently.
class TCheckThread : public QThread {
    Q_OBJECT
public:
    TCheckThread(taskstore::Connection &checkConnection, RunStarter &starter, SchedulerPass &pass,
                 QObject *parent = nullptr);

    // Finishes the current row and ends within a slice of its pause (50 ms).
    void Terminate() { requestInterruption(); }
    bool stopRequested() const { return isInterruptionRequested(); }

protected:
    void run() override;

private:
    void runPasses();

    taskstore::Connection &m_connection;
    RunStarter &m_starter;
    SchedulerPass &m_pass;
};

} // namespace scheduling
