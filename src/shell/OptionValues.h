#pragma once

#include "execution/Settings.h"

namespace shell {

// The values the Options dialog starts from when it is shown: its own defaults (every
// flag cleared, unlike the readers' default of showing the splash) unless the settings
// key exists, whose values then replace them.
execution::Settings optionDialogStartValues();

// What ticking "Default" puts into the controls; these differ from the defaults above.
execution::Settings defaultBoxValues();

} // namespace shell
