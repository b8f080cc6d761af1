#pragma once

#include "platform/ScriptedDialogService.h"
#include "shell/TaskWindows.h"
#include "shell/TfrmMain.h"
#include "support/TempProgramDir.h"

#include <QApplication>
#include <QDateTime>
#include <QTimer>

#include <functional>
#include <memory>

namespace shelltest {

// Records what the main window asked of the other subsystems' windows. A "saved" new
// task is written to the database as the task editor would write it.
class RecordingWindows : public shell::TaskWindows {
public:
    bool openNewTask(QWidget *parent, const QString &taskId, const QString &groupId) override;
    bool openEditTask(QWidget *parent, const QString &taskId) override;
    void openView(QWidget *parent, const QString &taskId) override;
    void openServerManager(QWidget *parent) override;

    taskstore::Connection *connection = nullptr;
    bool answerOk = true;
    QString newTaskName = QStringLiteral("Created");
    QStringList calls;
};

// Inserts a task with its option row, and rule rows with the given next run times.
void addTask(taskstore::Connection &connection, const QString &taskId, const QString &name, const QString &groupId,
             const QString &serverIp, int runType, const QList<QDateTime> &nextRuns = {},
             const QDateTime &lastRun = {});
void addGroup(taskstore::Connection &connection, const QString &groupId, const QString &name);

// A program directory, a scripted dialog service and, on demand, the main window.
class ShellFixture {
public:
    ShellFixture();
    ~ShellFixture();

    shell::TfrmMain &makeWindow();
    shell::TfrmMain &window() { return *m_window; }
    void destroyWindow() { m_window.reset(); }
    taskstore::Connection &seedConnection();

    // Runs `steps` once the next modal dialog is up, then lets `command` return.
    static void whenModal(const std::function<void(QWidget *dialog)> &steps);

    testsupport::TempProgramDir dir;
    platform::ScriptedDialogService dialogs;
    RecordingWindows windows;
    int terminations = 0;

private:
    std::unique_ptr<taskstore::Connection> m_seed;
    std::unique_ptr<shell::TfrmMain> m_window;
};

// The main window's language menu item of that name; null when there is none.
QAction *languageItem(shell::TfrmMain &window, const QString &name);

template <typename T>
T *child(QObject *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}

} // namespace shelltest
