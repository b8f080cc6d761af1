#pragma once

#include <QDateTime>

#include <functional>

namespace platform {

// "Now" for everything that schedules or stamps; tests set it.
class Clock {
public:
    static QDateTime now();

    // Freezes "now" at the given moment (tests); an invalid moment returns to the system clock.
    static void setNow(const QDateTime &moment);
    // Moves a frozen clock forward (tests).
    static void advance(qint64 milliseconds);

    // Waits until now() has reached `moment`: on the system clock as time passes, on a
    // frozen clock when a test moves it there. Returns false early once `cutShort`
    // answers true after a wakeSleepers().
    static bool sleepUntil(const QDateTime &moment, const std::function<bool()> &cutShort);
    // Lets every sleepUntil look at its cutShort again.
    static void wakeSleepers();
};

} // namespace platform
