#pragma once

#include "runner/TaskResult.h"

namespace taskstore {
class Connection;
}

namespace runner {

class ConsoleRunLog;

// Runs one task through the run engine the window uses (its client, its log file block,
// its database stamps) and waits for the run's end on this, the user-interface thread.
TaskResult runTask(const SelectedTask &task, taskstore::Connection &connection, ConsoleRunLog &log);

} // namespace runner
