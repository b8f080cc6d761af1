#pragma once

#include "shell/TaskRows.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace execution {
class LogPane;
}
namespace platform {
class ScriptedDialogService;
}
namespace reports {
class TfrmViewTask;
}
namespace shell {
class TfrmMain;
}
namespace taskdef {
class TfrmPackage;
class TfrmTask;
} // namespace taskdef

namespace e2e {

// One attribute row as a user makes it in the packet editor: the vendor and the
// attribute picked from the dictionary's lists; the value picked from the attribute's
// named values, or typed.
struct PacketPair {
    QString attribute;
    QString value;
    bool valueFromList = false;
    QString vendor = QStringLiteral("General");
};
using Packet = QList<PacketPair>;

// What a user fills into the task editor's setting page, by the texts the lists show.
struct TaskInput {
    QString name;
    QString server = QStringLiteral("127.0.0.1");
    quint16 port = 0;
    QString secret;
    QString requestType = QStringLiteral("Auth");
    QString mode = QStringLiteral("PAP");
    QList<Packet> packets;
};

// A user in front of Pellion's main window: each step goes through the controls by
// their names and the modal windows they open.
class PellionUser {
public:
    PellionUser(shell::TfrmMain &main, platform::ScriptedDialogService &dialogs);

    bool addGroup(const QString &name);
    bool selectGroup(const QString &name);
    // moreSettings: steps on the setting page after its fields are filled (a mode's own settings).
    bool newTask(const TaskInput &task, const std::function<void(taskdef::TfrmTask *)> &moreSettings = {});
    // Opens the task editor for the task and runs the steps in it; the steps end with OK
    // or Cancel.
    bool editTask(const QString &name, const std::function<void(taskdef::TfrmTask *)> &steps);
    bool viewTask(const QString &name, const std::function<void(reports::TfrmViewTask *)> &steps);
    bool deleteTask(const QString &name);

    bool selectTask(const QString &name);
    bool runTask(const QString &name);
    // Waits until "All Log" holds this many finish banners of the task.
    bool waitForFinishedRuns(const QString &name, int runs, int milliseconds);

    int taskIndex(const QString &name) const; // -1 when not listed
    shell::TaskRow taskRow(const QString &name) const;
    execution::LogPane *allLog() const;
    // The "All Log" lines from the last start banner of the task on.
    QStringList lastRunInAllLog(const QString &name) const;
    int runPages() const; // "Active Log [...]" pages open

    // Steps inside the windows, for use in editTask and newTask.
    static void fillPacket(taskdef::TfrmPackage *editor, const Packet &packet);
    static bool addPacket(taskdef::TfrmTask *editor, const Packet &packet);
    static void fillSettings(taskdef::TfrmTask *editor, const TaskInput &task);

private:
    shell::TfrmMain &m_main;
    platform::ScriptedDialogService &m_dialogs;
};

} // namespace e2e
