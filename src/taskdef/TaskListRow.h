#pragma once

#include <QString>

namespace taskdef {

// The task as the main window's task list shows it after a save.
struct TaskListRow {
    QString taskId;
    QString taskName;
    QString lastRunTime; // the save moment, as date-time text
    QString nextRunTime; // "Manually", or the earliest NextRunTime of its rules, as text
    QString serverIp;
    int runType = 0; // 0 manually, 1 by schedule
};

} // namespace taskdef
