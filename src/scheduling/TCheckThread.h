#pragma once

#include "platform/UiThread.h"

#include <QThread>

namespace taskstore {
class Connection;
}

namespace scheduling {

class RunStarter;
class SchedulerPass;

// The scheduler thread: a pass a little over a second apart reads every rule row (on the
// user-interface thread, through the check connection) and starts a run for each due
// task that is not running. The pause between passes is a second of the program's clock.
// An error in a pass ends the thread silently.
class TCheckThread : public QThread {
    Q_OBJECT
public:
    TCheckThread(taskstore::Connection &checkConnection, RunStarter &starter, SchedulerPass &pass,
                 QObject *parent = nullptr);

    // Finishes the current row and leaves the pause at once.
    void Terminate();
    bool stopRequested() const { return isInterruptionRequested(); }
    // Shut-down: Terminate, and refuse its steps from now on, also one that waits.
    void shutDown();
    // Whether it waits for a step that has not run yet (tests wait for it).
    bool hasWaitingStep() const { return m_line.hasWaitingStep(); }

Q_SIGNALS:
    // From the thread, once a pass is over and its pause has begun.
    void pausing();

protected:
    void run() override;

private:
    void runPasses();

    taskstore::Connection &m_connection;
    RunStarter &m_starter;
    SchedulerPass &m_pass;
    platform::HandOverLine m_line;
};

} // namespace scheduling
