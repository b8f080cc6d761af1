#include "platform/UiThread.h"

#include <QCoreApplication>
#include <QThread>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace platform {

namespace {
// Static initialisation runs on the process's first thread, the user-interface thread.
const std::thread::id s_firstThread = std::this_thread::get_id();

enum class Phase { Waiting, Running, Done, Refused };

// One step handed over. The step itself lives on the worker's stack: it is touched only
// while the worker waits for it, that is between Waiting and Done.
class Request {
public:
    explicit Request(const std::function<void()> &step) : m_step(step) {}

    void runOnUi()
    {
        {
            std::lock_guard lock(m_mutex);
            if (m_phase != Phase::Waiting)
                return;
            m_phase = Phase::Running;
        }
        std::exception_ptr error;
        try {
            m_step();
        } catch (...) {
            error = std::current_exception();
        }
        {
            std::lock_guard lock(m_mutex);
            m_error = error;
            m_phase = Phase::Done;
        }
        m_changed.notify_all();
    }

    void refuse()
    {
        {
            std::lock_guard lock(m_mutex);
            if (m_phase != Phase::Waiting)
                return;
            m_phase = Phase::Refused;
        }
        m_changed.notify_all();
    }

    bool isWaiting()
    {
        std::lock_guard lock(m_mutex);
        return m_phase == Phase::Waiting;
    }

    // On the worker: true when the step ran; its exception is raised here.
    bool awaitOutcome()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_phase == Phase::Done || m_phase == Phase::Refused; });
        if (m_error)
            std::rethrow_exception(m_error);
        return m_phase == Phase::Done;
    }

private:
    const std::function<void()> &m_step;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    Phase m_phase = Phase::Waiting;
    std::exception_ptr m_error;
};

// Travels with the posted call: when the application drops the call unrun (it is
// ending), the step counts as refused and the worker goes on.
struct Delivery {
    explicit Delivery(std::shared_ptr<Request> handed) : request(std::move(handed)) {}
    ~Delivery() { request->refuse(); }
    Delivery(const Delivery &) = delete;
    Delivery &operator=(const Delivery &) = delete;
    std::shared_ptr<Request> request;
};
} // namespace

struct HandOverLine::State {
    std::mutex mutex;
    bool closed = false;
    std::shared_ptr<Request> waiting;
};

namespace {
// Keeps the line's note of the waiting step while the worker waits for it.
class WaitingNote {
public:
    WaitingNote(HandOverLine::State *line, std::shared_ptr<Request> request) : m_line(line)
    {
        if (m_line)
            m_line->waiting = std::move(request); // the caller holds the line's lock
    }
    ~WaitingNote()
    {
        if (!m_line)
            return;
        std::lock_guard lock(m_line->mutex);
        m_line->waiting.reset();
    }
    WaitingNote(const WaitingNote &) = delete;
    WaitingNote &operator=(const WaitingNote &) = delete;

private:
    HandOverLine::State *m_line;
};
} // namespace

namespace {
thread_local HandOverLine::State *t_line = nullptr;
} // namespace

bool onUiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

bool synchronize(const std::function<void()> &step)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (onUiThread() || (!app && std::this_thread::get_id() == s_firstThread)) {
        step();
        return true;
    }
    if (!app)
        return false; // no user-interface thread to run it: never here instead
    auto request = std::make_shared<Request>(step);
    HandOverLine::State *line = t_line;
    std::unique_lock<std::mutex> lineLock;
    if (line) {
        lineLock = std::unique_lock(line->mutex);
        if (line->closed)
            return false;
    }
    auto delivery = std::make_shared<Delivery>(request);
    QMetaObject::invokeMethod(
        app, [delivery] { delivery->request->runOnUi(); }, Qt::QueuedConnection);
    delivery.reset();
    // Noted only once posted, still under the line's lock: a close refuses it from here on.
    const WaitingNote note(line, request);
    if (lineLock.owns_lock())
        lineLock.unlock();
    return request->awaitOutcome();
}

HandOverLine::HandOverLine() : m_state(std::make_shared<State>())
{
}

HandOverLine::~HandOverLine() = default;

void HandOverLine::close()
{
    std::shared_ptr<Request> waiting;
    {
        std::lock_guard lock(m_state->mutex);
        m_state->closed = true;
        waiting = m_state->waiting;
    }
    if (waiting)
        waiting->refuse();
}

bool HandOverLine::isClosed() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->closed;
}

bool HandOverLine::hasWaitingStep() const
{
    std::shared_ptr<Request> waiting;
    {
        std::lock_guard lock(m_state->mutex);
        waiting = m_state->waiting;
    }
    return waiting && waiting->isWaiting();
}

HandOverLine::Binding::Binding(HandOverLine &line)
{
    t_line = line.m_state.get();
}

HandOverLine::Binding::~Binding()
{
    t_line = nullptr;
}

} // namespace platform
