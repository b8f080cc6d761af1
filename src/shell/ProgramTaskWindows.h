#pragma once

#include "shell/TaskWindows.h"

namespace taskstore {
class Connection;
}

namespace shell {

// The forms the program opens from its main window, on the main connection.
class ProgramTaskWindows : public TaskWindows {
public:
    void setConnection(taskstore::Connection *connection) { m_connection = connection; }

    bool openNewTask(QWidget *parent, const QString &taskId, const QString &groupId) override;
    bool openEditTask(QWidget *parent, const QString &taskId) override;
    void openView(QWidget *parent, const QString &taskId) override;
    void openServerManager(QWidget *parent) override;

private:
    taskstore::Connection *m_connection = nullptr;
};

} // namespace shell
