#pragma once

#include "taskstore/TaskRecord.h"

#include <QString>

namespace shell {

// The client command line a run of the task executes, to be typed into a terminal: the
// program as the run finds it and the packet script file by its absolute path.
QString terminalCommandLine(const taskstore::TaskRecord &task);

} // namespace shell
