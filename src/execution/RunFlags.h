#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace execution {

// The flags through which the user-interface thread steers one worker: stop, cooperative
// suspend, and abandon (shut-down: stop reading even while the client is silent). The
// worker calls checkpoint() between reads and before each hand-over. Every change is
// also signalled on wakeFd(), so a worker that polls the client's output notices it.
class RunFlags {
public:
    RunFlags();
    ~RunFlags();
    RunFlags(const RunFlags &) = delete;
    RunFlags &operator=(const RunFlags &) = delete;

    void requestStop(); // takes effect at the client's next byte or end of output
    void abandon();     // requestStop() and leave a silent client at once
    bool stopRequested() const { return m_stop.load(std::memory_order_relaxed); }
    bool abandoned() const { return m_abandon.load(std::memory_order_relaxed); }

    void suspend();
    void resume();
    bool isSuspended() const { return m_suspended.load(); }
    // Whether the worker is held in checkpoint() by a suspend (tests wait for it).
    bool isHeld() const { return m_held.load(); }

    // Waits while suspended; a stop request also ends the wait. Returns stopRequested().
    bool checkpoint();

    // Readable after any change of the flags; a poller calls drainWake() before it looks.
    int wakeFd() const { return m_wakeFd; }
    void drainWake();

private:
    void signalChange();

    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_abandon{false};
    std::atomic<bool> m_suspended{false};
    std::atomic<bool> m_held{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    int m_wakeFd;
};

} // namespace execution
