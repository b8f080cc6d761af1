#pragma once

class QWidget;

namespace taskstore {
class Connection;
}

namespace shell {

class TaskListView;

// Action -> Run History: the runs of the task selected in the list, in a window of their own.
void openRunHistory(const TaskListView &list, taskstore::Connection &connection, QWidget *parent);

} // namespace shell
