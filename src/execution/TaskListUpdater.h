#pragma once

#include "taskstore/RunHistoryStore.h"

#include <QString>

namespace execution {

// What a finished run asks of the main window's task list, on the user-interface thread:
// show the run's start text as "Last Run Time" and the display text as "Next Run Time"
// in the row of the task, if the task is shown; then process pending events.
class TaskListUpdater {
public:
    virtual ~TaskListUpdater() = default;
    virtual void showRunTimes(const QString &taskId, const QString &lastRunTime, const QString &nextRunTime) = 0;
    // The verdict of the task's run that just ended (already stored as its last result).
    virtual void showVerdict(const QString &taskId, taskstore::Verdict verdict)
    {
        (void)taskId;
        (void)verdict;
    }
};

} // namespace execution
