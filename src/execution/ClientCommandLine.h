#pragma once

#include "taskstore/TaskRecord.h"

#include <QString>

namespace execution {

// The client's complete command line for a task, program name first: radeapclient for
// "EAP-MD5" and "EAP-SIM" (exact case), radclient for every other mode. A server address
// or secret holding a blank, a tab or a double quote (or empty) is quoted reversibly
// (platform::quoteCommandWord), so that it reaches the client as the one word it is.
QString BuildCommandLine(const taskstore::TaskRecord &task);

} // namespace execution
