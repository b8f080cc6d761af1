#pragma once

#include "scheduling/SchedulerPass.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

namespace taskstore {
class Connection;
}

namespace scheduling {

class RunStarter;
class TCheckThread;

// Owns the scheduler thread on the user-interface thread: start, stop, restart, and the
// bounded wait for stopped threads at shut-down. The main window starts it from its
// one-shot timer TimerCheckSch.
class Scheduler : public QObject {
    Q_OBJECT
public:
    Scheduler(taskstore::Connection &checkConnection, RunStarter &starter, QObject *parent = nullptr);
    ~Scheduler() override; // stops and waits for every thread it made

    void start();   // a new TCheckThread (nothing when one is going)
    void stop();    // asks it to end and forgets it
    // Stop, then start again 500 ms later without blocking the window.
    void restart();
    bool isRunning() const;
    // Whether a thread it made, current or stopped, has not ended yet.
    bool hasThreads() const { return !m_threads.isEmpty(); }

    // Processes events until every thread it made has ended or `milliseconds` passed;
    // true when all have ended.
    bool waitForThreads(int milliseconds);

Q_SIGNALS:
    void threadEnded();

private:
    taskstore::Connection &m_connection;
    RunStarter &m_starter;
    SchedulerPass m_pass;
    QPointer<TCheckThread> m_current;
    QList<QPointer<TCheckThread>> m_threads;
    QTimer m_restartTimer;
};

} // namespace scheduling
