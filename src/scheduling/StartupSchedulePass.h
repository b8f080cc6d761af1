#pragma once

#include <QDateTime>

namespace taskstore {
class Connection;
}

namespace scheduling {

// Moves every rule row whose next run passed while the program was not running to its
// following next run time (LastRunTime untouched). Runs on the user-interface thread with
// the main connection before the task list is filled. Throws DatabaseError or
// ScheduleError.
void RunStartupSchedulePass(taskstore::Connection &mainConnection, const QDateTime &now);

} // namespace scheduling
