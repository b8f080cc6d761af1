#pragma once

#include <QString>

namespace scheduling {

// What the scheduler needs of run control, on the user-interface thread.
class RunStarter {
public:
    virtual ~RunStarter() = default;
    // Whether the running-task list holds an entry for the task.
    virtual bool isRunning(const QString &taskId) const = 0;
    // Creates a run of the task, running, and appends its running-task list entry.
    virtual void startRun(const QString &taskId) = 0;
};

} // namespace scheduling
