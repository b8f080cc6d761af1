#pragma once

#include <functional>

namespace platform {

// Runs `step` on the user-interface thread and returns when it has run. Called from the
// user-interface thread itself, it runs the step directly.
void synchronize(const std::function<void()> &step);

bool onUiThread();

} // namespace platform
