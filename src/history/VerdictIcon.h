#pragma once

#include "taskstore/RunHistoryStore.h"

#include <QIcon>

namespace history {

// The icon that goes with a verdict wherever one is shown (the run table, the task list).
QIcon verdictIcon(taskstore::Verdict verdict);

} // namespace history
