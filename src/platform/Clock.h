#pragma once

#include <QDateTime>

namespace platform {

// "Now" for everything that schedules or stamps; tests set it.
class Clock {
public:
    static QDateTime now();

    // Freezes "now" at the given moment (tests); an invalid moment returns to the system clock.
    static void setNow(const QDateTime &moment);
    // Moves a frozen clock forward (tests).
    static void advance(qint64 milliseconds);
};

} // namespace platform
