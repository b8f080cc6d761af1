#pragma once

#include <QString>

#include <stdexcept>

namespace scheduling {

// A stored date or time text that does not read back while a next run is computed.
class ScheduleError : public std::runtime_error {
public:
    explicit ScheduleError(const QString &text)
        : std::runtime_error(text.toStdString())
    {
    }
};

} // namespace scheduling
