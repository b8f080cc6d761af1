#pragma once

#include "radius/DictionaryCatalog.h"
#include "shell/TaskWindows.h"

#include <QMetaObject>

#include <optional>

namespace taskstore {
class Connection;
}

namespace shell {

// The forms the program opens from its main window: the task editor, the task view and
// the server manager, all on the main connection.
class ProgramTaskWindows : public TaskWindows {
public:
    ProgramTaskWindows();
    ~ProgramTaskWindows() override;
    ProgramTaskWindows(const ProgramTaskWindows &) = delete;
    ProgramTaskWindows &operator=(const ProgramTaskWindows &) = delete;

    void setConnection(taskstore::Connection *connection) { m_connection = connection; }

    bool openNewTask(QWidget *parent, const QString &taskId, const QString &groupId) override;
    bool openEditTask(QWidget *parent, const QString &taskId) override;
    void openView(QWidget *parent, const QString &taskId) override;
    void openServerManager(QWidget *parent) override;

private:
    const radius::DictionaryCatalog *catalog();

    taskstore::Connection *m_connection = nullptr;
    // What the packet editor offers for picking; read at the first use, not at start-up,
    // and again in place when the dictionary is read again.
    std::optional<radius::DictionaryCatalog> m_catalog;
    QMetaObject::Connection m_reloaded;
    QMetaObject::Connection m_filesAboutToChange;
};

} // namespace shell
