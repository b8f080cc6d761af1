#include "platform/Clock.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform {

namespace {
std::mutex s_mutex;
std::condition_variable s_changed;
QDateTime s_frozen;

QDateTime nowLocked()
{
    return s_frozen.isValid() ? s_frozen : QDateTime::currentDateTime();
}
} // namespace

QDateTime Clock::now()
{
    std::lock_guard lock(s_mutex);
    return nowLocked();
}

void Clock::setNow(const QDateTime &moment)
{
    {
        std::lock_guard lock(s_mutex);
        s_frozen = moment;
    }
    s_changed.notify_all();
}

void Clock::advance(qint64 milliseconds)
{
    {
        std::lock_guard lock(s_mutex);
        if (s_frozen.isValid())
            s_frozen = s_frozen.addMSecs(milliseconds);
    }
    s_changed.notify_all();
}

bool Clock::sleepUntil(const QDateTime &moment, const std::function<bool()> &cutShort)
{
    std::unique_lock lock(s_mutex);
    for (;;) {
        if (cutShort())
            return false;
        const qint64 left = nowLocked().msecsTo(moment);
        if (left <= 0)
            return true;
        if (s_frozen.isValid())
            s_changed.wait(lock);
        else
            s_changed.wait_for(lock, std::chrono::milliseconds(left));
    }
}

void Clock::wakeSleepers()
{
    // Taking the lock orders the waker's flag before the sleeper's next look at it.
    {
        std::lock_guard lock(s_mutex);
    }
    s_changed.notify_all();
}

} // namespace platform
