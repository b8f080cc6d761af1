#pragma once

#include "platform/TextError.h"

namespace scheduling {

// A stored date or time text that does not read back while a next run is computed.
class ScheduleError : public platform::TextError {
public:
    using TextError::TextError;
};

} // namespace scheduling
