#pragma once

#include <QString>

class QWidget;

namespace shell {

// The windows of other subsystems that the main window opens: the task editor, the task
// view and the server manager. The main window calls them through this interface only;
// the program installs the real forms, tests install recorders.
class TaskWindows {
public:
    virtual ~TaskWindows() = default;

    // The task editor, modal, for a new task with the given key in the given group
    // ("AllTask" for the root). True when it closed with OK and the task is saved.
    virtual bool openNewTask(QWidget *parent, const QString &taskId, const QString &groupId) = 0;
    // The task editor, modal, for an existing task. True when it closed with OK.
    virtual bool openEditTask(QWidget *parent, const QString &taskId) = 0;
    // The task view, filled for the task and shown modally.
    virtual void openView(QWidget *parent, const QString &taskId) = 0;
    // A new server manager window each time, shown without blocking.
    virtual void openServerManager(QWidget *parent) = 0;
};

// Opens nothing: the forms of those subsystems are not part of this build yet.
class NoTaskWindows : public TaskWindows {
public:
    bool openNewTask(QWidget *, const QString &, const QString &) override { return false; }
    bool openEditTask(QWidget *, const QString &) override { return false; }
    void openView(QWidget *, const QString &) override {}
    void openServerManager(QWidget *) override {}
};

} // namespace shell
