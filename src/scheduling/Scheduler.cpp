#include "scheduling/Scheduler.h"

#include "platform/Clock.h"
#include "scheduling/EventWait.h"
#include "scheduling/TCheckThread.h"


namespace scheduling {

namespace {
constexpr int kRestartPauseMs = 500;
} // namespace

Scheduler::Scheduler(taskstore::Connection &checkConnection, RunStarter &starter, QObject *parent)
    : QObject(parent)
    , m_connection(checkConnection)
    , m_starter(starter)
    // The second before now counts as covered: earlier rows are the start-up pass's.
    , m_pass(platform::Clock::now().addSecs(-1))
{
    m_restartTimer.setSingleShot(true);
    m_restartTimer.setInterval(kRestartPauseMs);
    connect(&m_restartTimer, &QTimer::timeout, this, &Scheduler::start);
}

Scheduler::~Scheduler()
{
    stop();
    // Threads hand steps to this thread, so they can only end while events run here.
    waitForThreads(2000);
    // One that did not end is blocked on a hand-over that can no longer run: leave it
    // to the end of the process rather than destroy a running thread.
    for (const QPointer<TCheckThread> &thread : std::as_const(m_threads)) {
        if (thread && thread->wait(100))
            delete thread.data();
    }
}

void Scheduler::start()
{
    if (isRunning())
        return;
    m_restartTimer.stop();
    auto *thread = new TCheckThread(m_connection, m_starter, m_pass);
    connect(thread, &QThread::finished, this, [this, thread] {
        thread->wait();
        m_threads.removeAll(thread);
        thread->deleteLater();
        Q_EMIT threadEnded();
    });
    m_threads << thread;
    m_current = thread;
    // Lowest but one: a pass does little and spends most of its time in the pause.
    thread->start(QThread::LowestPriority);
}

void Scheduler::stop()
{
    m_restartTimer.stop();
    if (m_current)
        m_current->Terminate();
    m_current = nullptr;
}

void Scheduler::restart()
{
    stop();
    m_restartTimer.start();
}

bool Scheduler::isRunning() const
{
    return m_current && !m_current->stopRequested();
}

bool Scheduler::waitForThreads(int milliseconds)
{
    return waitProcessingEvents([this] { return m_threads.isEmpty(); }, milliseconds);
}

} // namespace scheduling
