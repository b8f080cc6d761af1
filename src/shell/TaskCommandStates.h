#pragma once

#include "shell/CommandGroup.h"

namespace execution {
class RunControl;
}

namespace shell {

class TaskListView;

// Which task commands are offered: Edit, Delete and View with a selected row; Run,
// Suspend and Stop as the selected task's own run allows.
class TaskCommandStates {
public:
    struct Commands {
        CommandGroup run, suspend, stop, edit, remove, view;
    };

    explicit TaskCommandStates(Commands commands) : m_commands(std::move(commands)) {}

    // `runControl` may be null: no run has begun.
    void show(const TaskListView &list, const execution::RunControl *runControl);

private:
    Commands m_commands;
};

} // namespace shell
