#pragma once

#include <QString>

namespace execution {

// What a finished run asks of the main window's task list, on the user-interface thread:
// show the run's start text as "Last Run Time" and the display text as "Next Run Time"
// in the row of the task, if the task is shown; then process pending events.
class TaskListUpdater {
public:
    virtual ~TaskListUpdater() = default;
    virtual void showRunTimes(const QString &taskId, const QString &lastRunTime, const QString &nextRunTime) = 0;
};

} // namespace execution
