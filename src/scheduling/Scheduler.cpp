#include "scheduling/Scheduler.h"

#include "platform/Clock.h"
#include "scheduling/TCheckThread.h"

namespace scheduling {

namespace {
constexpr int kRestartPauseMs = 500;
} // namespace

Scheduler::Scheduler(taskstore::Connection &checkConnection, RunStarter &starter, QObject *parent)
    : QObject(parent), m_connection(checkConnection), m_starter(starter)
      // The second before now counts as covered: earlier rows are the start-up pass's.
      ,
      m_pass(platform::Clock::now().addSecs(-1))
{
    m_restartTimer.setSingleShot(true);
    m_restartTimer.setInterval(kRestartPauseMs);
    connect(&m_restartTimer, &QTimer::timeout, this, &Scheduler::start);
}

Scheduler::~Scheduler()
{
    shutDown();
}

void Scheduler::start()
{
    if (isRunning() || m_shutDown)
        return;
    m_restartTimer.stop();
    auto thread = std::make_unique<TCheckThread>(m_connection, m_starter, m_pass);
    const TCheckThread *made = thread.get();
    connect(thread.get(), &QThread::finished, this, [this, made] { onThreadEnded(made); });
    connect(thread.get(), &TCheckThread::pausing, this, [this, made] {
        if (made == m_current)
            ++m_currentPasses;
        Q_EMIT pausing();
    });
    m_current = thread.get();
    m_currentPasses = 0;
    // Lowest but one: a pass does little and spends most of its time in the pause.
    m_threads.add(std::move(thread))->start(QThread::LowestPriority);
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
    if (!m_shutDown)
        m_restartTimer.start();
}

bool Scheduler::isRunning() const
{
    return m_current && !m_current->stopRequested();
}

bool Scheduler::waitsForUi() const
{
    return m_threads.any([](const TCheckThread &thread) { return thread.hasWaitingStep(); });
}

void Scheduler::shutDown()
{
    m_shutDown = true;
    stop();
    // Nothing can hold them then: a refused step ends a pass, the pause is cut short.
    m_threads.endAll([](TCheckThread &thread) { thread.shutDown(); });
}

void Scheduler::onThreadEnded(const TCheckThread *thread)
{
    if (!m_threads.retire(thread, this))
        return; // already waited for at shut-down
    if (m_current == thread)
        m_current = nullptr;
    Q_EMIT threadEnded();
}

} // namespace scheduling
