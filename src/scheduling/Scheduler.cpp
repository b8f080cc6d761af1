#include "scheduling/Scheduler.h"

#include "platform/Clock.h"
#include "scheduling/TCheckThread.h"

#include <algorithm>

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
    shutDown();
}

void Scheduler::start()
{
    if (isRunning() || m_shutDown)
        return;
    m_restartTimer.stop();
    auto thread = std::make_unique<TCheckThread>(m_connection, m_starter, m_pass);
    const TCheckThread *ended = thread.get();
    connect(thread.get(), &QThread::finished, this, [this, ended] { onThreadEnded(ended); });
    connect(thread.get(), &TCheckThread::pausing, this, [this, ended] {
        if (ended == m_current)
            ++m_currentPasses;
        Q_EMIT pausing();
    });
    m_current = thread.get();
    m_currentPasses = 0;
    // Lowest but one: a pass does little and spends most of its time in the pause.
    thread->start(QThread::LowestPriority);
    m_threads.push_back(std::move(thread));
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
    return std::any_of(m_threads.begin(), m_threads.end(),
                       [](const auto &thread) { return thread->hasWaitingStep(); });
}

void Scheduler::shutDown()
{
    m_shutDown = true;
    stop();
    for (const auto &thread : m_threads)
        thread->shutDown();
    // Nothing can hold them now: a refused step ends a pass, the pause is cut short.
    for (const auto &thread : m_threads)
        thread->wait();
    m_threads.clear();
    m_ended.clear();
}

void Scheduler::onThreadEnded(const TCheckThread *thread)
{
    const auto found = std::find_if(m_threads.begin(), m_threads.end(),
                                    [thread](const auto &owned) { return owned.get() == thread; });
    if (found == m_threads.end())
        return; // already waited for at shut-down
    if (m_current == thread)
        m_current = nullptr;
    (*found)->wait();
    m_ended.push_back(std::move(*found));
    m_threads.erase(found);
    // Not deleted inside its own signal.
    QMetaObject::invokeMethod(this, [this] { m_ended.clear(); }, Qt::QueuedConnection);
    Q_EMIT threadEnded();
}

} // namespace scheduling
