#pragma once

#include "taskstore/TaskRecord.h"

#include <QString>

namespace execution {

// The client's complete command line for a task, program name first: radeapclient for
// "EAP-MD5" and "EAP-SIM" (exact case), radclient for every other mode. A server address
// or secret holding a blank or tab is put in double quotes so that it stays one word.
QString BuildCommandLine(const taskstore::TaskRecord &task);

} // namespace execution
