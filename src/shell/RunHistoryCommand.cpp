#include "shell/RunHistoryCommand.h"

#include "history/TfrmRunHistory.h"
#include "shell/TaskListView.h"

namespace shell {

void openRunHistory(const TaskListView &list, taskstore::Connection &connection, QWidget *parent)
{
    const int row = list.indexOf(list.selectedTaskId());
    if (row < 0)
        return;
    const TaskRow task = list.row(row);
    history::TfrmRunHistory::showFor(connection, task.taskId, task.taskName, parent);
}

} // namespace shell
