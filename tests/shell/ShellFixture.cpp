#include "ShellFixture.h"

#include "platform/QtTranslation.h"
#include "taskstore/Connection.h"
#include "taskstore/DateTimeText.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

namespace shelltest {

using namespace taskstore;

void addTask(Connection &connection, const QString &taskId, const QString &name, const QString &groupId,
             const QString &serverIp, int runType, const QList<QDateTime> &nextRuns, const QDateTime &lastRun)
{
    TaskRecord task;
    task.TaskID = taskId;
    task.GroupID = groupId;
    task.TaskName = name;
    task.ServerIP = serverIp;
    task.SecretKey = "secret";
    task.Port = 1812;
    task.AuthMode = "PAP";
    task.RunType = runType;
    task.RepeatTimes = 1;
    Query query(connection);
    ExecQuery(query, sql::insertTask(task));
    ExecQuery(query, sql::insertTaskOption(task));
    const QString last = lastRun.isValid() ? DateTimeText::dateTimeText(lastRun) : QString();
    for (const QDateTime &next : nextRuns)
        ExecQuery(query, sql::insertIntervalSchedule(taskId, 0, 30, last, DateTimeText::dateTimeText(next), ""));
    if (nextRuns.isEmpty() && lastRun.isValid())
        ExecQuery(query, sql::insertManualRunRow(taskId, last));
}

void addGroup(Connection &connection, const QString &groupId, const QString &name)
{
    Query query(connection);
    ExecQuery(query, sql::insertGroup(groupId, name));
}

bool RecordingWindows::openNewTask(QWidget *, const QString &taskId, const QString &groupId)
{
    calls << "new " + groupId;
    if (answerOk && connection)
        addTask(*connection, taskId, newTaskName, groupId, "127.0.0.1", 0);
    return answerOk;
}

bool RecordingWindows::openEditTask(QWidget *, const QString &taskId)
{
    calls << "edit " + taskId;
    return answerOk;
}

void RecordingWindows::openView(QWidget *, const QString &taskId)
{
    calls << "view " + taskId;
}

void RecordingWindows::openServerManager(QWidget *)
{
    calls << "server";
}

ShellFixture::ShellFixture() = default;

ShellFixture::~ShellFixture()
{
    m_window.reset();
    m_seed.reset();
    // Qt's translation is the whole program's: the next test starts with Qt in English.
    platform::QtTranslation::use(platform::LanguageFile());
}

Connection &ShellFixture::seedConnection()
{
    if (!m_seed)
        m_seed = std::make_unique<Connection>(Connection::defaultPath());
    return *m_seed;
}

shell::TfrmMain &ShellFixture::makeWindow()
{
    windows.connection = &seedConnection();
    m_window = std::make_unique<shell::TfrmMain>(windows);
    m_window->setTerminate([this] { ++terminations; });
    m_window->show();
    return *m_window;
}

void ShellFixture::whenModal(const std::function<void(QWidget *dialog)> &steps)
{
    QTimer::singleShot(0, [steps] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr) << "no modal dialog came up";
        steps(dialog);
    });
}

QAction *languageItem(shell::TfrmMain &window, const QString &name)
{
    for (QAction *item : window.findChild<QMenu *>(QStringLiteral("mnuLanguage"))->actions())
        if (item->text() == name)
            return item;
    return nullptr;
}

} // namespace shelltest
