#pragma once

#include <QDeadlineTimer>

#include <functional>
#include <thread>

namespace testsupport {

// Waits for the condition without running events, so that a step a worker has handed
// to this thread stays waiting. False after ten seconds.
inline bool spinUntil(const std::function<bool()> &condition)
{
    const QDeadlineTimer deadline(10000);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        std::this_thread::yield();
    }
    return true;
}

} // namespace testsupport
