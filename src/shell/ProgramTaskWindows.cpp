#include "shell/ProgramTaskWindows.h"

namespace shell {

// The task editor, the task view and the server manager are wired here as their forms
// join the build.
bool ProgramTaskWindows::openNewTask(QWidget *, const QString &, const QString &)
{
    return false;
}

bool ProgramTaskWindows::openEditTask(QWidget *, const QString &)
{
    return false;
}

void ProgramTaskWindows::openView(QWidget *, const QString &)
{
}

void ProgramTaskWindows::openServerManager(QWidget *)
{
}

} // namespace shell
