#pragma once

#include <functional>

namespace scheduling {

// Runs the event loop of the user-interface thread until `done` answers true or
// `milliseconds` have passed; workers that hand steps over can thereby finish while we
// wait. Returns done().
bool waitProcessingEvents(const std::function<bool()> &done, int milliseconds);

} // namespace scheduling
