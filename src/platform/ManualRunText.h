#pragma once

#include <QString>

namespace platform {

// What the task list shows as the next run time of a task run by hand: "Manually", in
// the current language.
QString manualRunText();

} // namespace platform
