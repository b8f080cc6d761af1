#include "shell/TaskCommandStates.h"

#include "execution/RunCommandState.h"
#include "execution/RunControl.h"
#include "shell/TaskListView.h"

namespace shell {

namespace {
execution::RunCommandState runStateOf(const QString &taskId, const execution::RunControl *runControl)
{
    if (!runControl || !runControl->isRunning(taskId))
        return execution::RunCommandState::Idle;
    const execution::TMyThread *run = runControl->firstRunOf(taskId);
    return run && run->isSuspended() ? execution::RunCommandState::Suspended : execution::RunCommandState::Running;
}
} // namespace

void TaskCommandStates::show(const TaskListView &list, const execution::RunControl *runControl)
{
    // A running task is never offered Run again.
    const bool selected = list.hasSelection();
    for (CommandGroup *command : {&m_commands.edit, &m_commands.remove, &m_commands.view})
        command->setEnabled(selected);
    const execution::RunCommandEnabled enabled = execution::enabledCommands(
        selected ? runStateOf(list.selectedTaskId(), runControl) : execution::RunCommandState::Idle);
    m_commands.run.setEnabled(selected && enabled.run);
    m_commands.suspend.setEnabled(enabled.suspend);
    m_commands.stop.setEnabled(enabled.stop);
}

} // namespace shell
