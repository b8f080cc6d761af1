#pragma once

#include <functional>

namespace platform {

// Runs a worker's step on the user-interface thread and waits for it (the synchronous
// hand-over). An exception the step raises there is raised again here, on the worker, so
// that it ends the worker's sequence and never the event loop; so does a refused step
// (HandOverRefused: the program is closing).
void runUiStep(const std::function<void()> &step);

} // namespace platform
