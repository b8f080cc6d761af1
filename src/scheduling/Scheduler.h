#pragma once

#include "platform/OwnedThreads.h"
#include "scheduling/SchedulerPass.h"
#include "scheduling/TCheckThread.h"

#include <QObject>
#include <QTimer>

namespace taskstore {
class Connection;
}

namespace scheduling {

class RunStarter;

// Owns the scheduler threads on the user-interface thread: start, stop, restart and the
// shut-down. The main window starts it from its one-shot timer TimerCheckSch.
class Scheduler : public QObject {
    Q_OBJECT
public:
    Scheduler(taskstore::Connection &checkConnection, RunStarter &starter, QObject *parent = nullptr);
    ~Scheduler() override; // shuts down

    void start(); // a new TCheckThread (nothing when one is going, or after shut-down)
    void stop();  // asks it to end and forgets it
    // Stop, then start again 500 ms later without blocking the window.
    void restart();
    bool isRunning() const;
    // Whether a thread it made, current or stopped, has not ended yet.
    bool hasThreads() const { return !m_threads.empty(); }
    // How many passes the current thread has made (tests wait for them).
    int currentPasses() const { return m_currentPasses; }
    // Whether one of them waits for a step that has not run yet (tests wait for it).
    bool waitsForUi() const;

    // The program is closing: nothing starts any more; every thread it made is told to
    // stop, its steps are refused (also one waiting to run), and it is waited for and
    // deleted. No event is processed meanwhile.
    void shutDown();
    bool isShutDown() const { return m_shutDown; }

Q_SIGNALS:
    void threadEnded();
    // A pass is over and its thread pauses for a second of the program's clock.
    void pausing();

private:
    void onThreadEnded(const TCheckThread *thread);

    taskstore::Connection &m_connection;
    RunStarter &m_starter;
    SchedulerPass m_pass;
    TCheckThread *m_current = nullptr;
    int m_currentPasses = 0;
    platform::OwnedThreads<TCheckThread> m_threads;
    QTimer m_restartTimer;
    bool m_shutDown = false;
};

} // namespace scheduling
