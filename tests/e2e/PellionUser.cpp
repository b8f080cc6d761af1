#include "PellionUser.h"

#include "UserActions.h"

#include "execution/LogPane.h"
#include "execution/PageCtrlLog.h"
#include "platform/ScriptedDialogService.h"
#include "reports/TfrmViewTask.h"
#include "shell/TaskListView.h"
#include "shell/TfrmGroup.h"
#include "shell/TfrmMain.h"
#include "taskdef/TfrmPackage.h"
#include "taskdef/TfrmTask.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTreeView>
#include <QTreeWidget>

namespace e2e {

namespace {
QString startBanner(const QString &name)
{
    return QStringLiteral("Test started  [%1]").arg(name);
}
QString finishBanner(const QString &name)
{
    return QStringLiteral("Test finished [%1]").arg(name);
}
} // namespace

PellionUser::PellionUser(shell::TfrmMain &main, platform::ScriptedDialogService &dialogs)
    : m_main(main), m_dialogs(dialogs)
{
}

bool PellionUser::addGroup(const QString &name)
{
    return inModal<shell::TfrmGroup>(
        [&](shell::TfrmGroup *dialog) {
            retype(control<QLineEdit>(dialog, "edtName"), name);
            click(dialog, "spbtnOK");
        },
        [&] { click(&m_main, "spbtnGroupAdd"); });
}

bool PellionUser::selectGroup(const QString &name)
{
    auto *tree = control<QTreeWidget>(&m_main, "treTaskGroup");
    if (!tree)
        return false;
    const QList<QTreeWidgetItem *> found = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    EXPECT_EQ(found.size(), 1) << "group " << name.toStdString();
    if (found.size() != 1)
        return false;
    clickItem(tree, found.first());
    return tree->currentItem() == found.first();
}

void PellionUser::fillPacket(taskdef::TfrmPackage *editor, const Packet &packet)
{
    for (const PacketPair &pair : packet) {
        pick(control<QComboBox>(editor, "cboVendor"), pair.vendor);
        pick(control<QComboBox>(editor, "cboAttr"), pair.attribute);
        auto *value = control<QComboBox>(editor, "cboValue");
        if (pair.valueFromList) {
            pick(value, pair.value);
        } else {
            value->setFocus();
            QTest::keyClicks(value->lineEdit(), pair.value);
        }
        click(editor, "spbtnAdd");
    }
}

bool PellionUser::addPacket(taskdef::TfrmTask *editor, const Packet &packet)
{
    showPage(control<QTabWidget>(editor, "PageControl"), "TabSheetPackage");
    return inModal<taskdef::TfrmPackage>(
        [&](taskdef::TfrmPackage *packetEditor) {
            fillPacket(packetEditor, packet);
            click(packetEditor, "spbtnOK");
        },
        [&] { click(editor, "spbtnAdd"); });
}

void PellionUser::fillSettings(taskdef::TfrmTask *editor, const TaskInput &task)
{
    retype(control<QLineEdit>(editor, "edtTaskName"), task.name);
    showPage(control<QTabWidget>(editor, "PageControl"), "TabSheetSetting");
    auto *server = control<QComboBox>(editor, "cboServerIP");
    retype(server->lineEdit(), task.server);
    retype(control<QLineEdit>(editor, "edtSecretKey"), task.secret);
    // The request type and the mode set the port; the user's port comes last.
    pick(control<QComboBox>(editor, "cboRequestType"), task.requestType);
    auto *mode = control<QComboBox>(editor, "cboMode");
    if (mode->isVisible())
        pick(mode, task.mode);
    retype(control<QComboBox>(editor, "cboPort")->lineEdit(), QString::number(task.port));
}

bool PellionUser::newTask(const TaskInput &task, const std::function<void(taskdef::TfrmTask *)> &moreSettings)
{
    const int listed = control<shell::TaskListView>(&m_main, "lvwTask")->rowCount();
    const bool shown = inModal<taskdef::TfrmTask>(
        [&](taskdef::TfrmTask *editor) {
            fillSettings(editor, task);
            if (moreSettings)
                moreSettings(editor);
            for (const Packet &packet : task.packets)
                addPacket(editor, packet);
            click(editor, "spbtnOK");
            EXPECT_FALSE(editor->isVisible()) << m_dialogs.messageTexts().join("; ").toStdString();
        },
        [&] { click(&m_main, "spbtnTaskAdd"); });
    return shown && control<shell::TaskListView>(&m_main, "lvwTask")->rowCount() == listed + 1;
}

int PellionUser::taskIndex(const QString &name) const
{
    auto *list = control<shell::TaskListView>(&m_main, "lvwTask");
    for (int i = 0; i < list->rowCount(); ++i) {
        if (list->row(i).taskName == name)
            return i;
    }
    return -1;
}

shell::TaskRow PellionUser::taskRow(const QString &name) const
{
    const int index = taskIndex(name);
    return index < 0 ? shell::TaskRow{} : control<shell::TaskListView>(&m_main, "lvwTask")->row(index);
}

bool PellionUser::selectTask(const QString &name)
{
    auto *list = control<shell::TaskListView>(&m_main, "lvwTask");
    const int index = taskIndex(name);
    EXPECT_GE(index, 0) << "task " << name.toStdString() << " is not listed";
    if (index < 0)
        return false;
    QTreeView *view = list->reportView();
    const QModelIndex cell = view->model()->index(index, 0);
    view->scrollTo(cell);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
    const bool selected = list->selectedTaskId() == list->row(index).taskId;
    EXPECT_TRUE(selected) << "clicking " << name.toStdString() << " did not select it";
    return selected;
}

bool PellionUser::runTask(const QString &name)
{
    return selectTask(name) && click(&m_main, "spbtnRun");
}

bool PellionUser::editTask(const QString &name, const std::function<void(taskdef::TfrmTask *)> &steps)
{
    if (!selectTask(name))
        return false;
    const qsizetype said = m_dialogs.messages().size();
    const bool shown = inModal<taskdef::TfrmTask>(steps, [&] { click(&m_main, "spbtnTaskEdit"); });
    if (!shown && m_dialogs.messages().size() > said)
        ADD_FAILURE() << "instead of the editor: " << m_dialogs.lastMessageText().toStdString();
    return shown;
}

bool PellionUser::viewTask(const QString &name, const std::function<void(reports::TfrmViewTask *)> &steps)
{
    return selectTask(name)
        && inModal<reports::TfrmViewTask>(
               [&](reports::TfrmViewTask *view) {
                   steps(view);
                   click(view, "btnOK");
               },
               [&] { click(&m_main, "spbtnTaskView"); });
}

bool PellionUser::deleteTask(const QString &name)
{
    if (!selectTask(name))
        return false;
    m_dialogs.queueAnswer(platform::Answer::Ok);
    return click(&m_main, "spbtnTaskDel") && taskIndex(name) < 0;
}

execution::LogPane *PellionUser::allLog() const
{
    return control<execution::LogPane>(&m_main, "RichEditLog");
}

bool PellionUser::waitForFinishedRuns(const QString &name, int runs, int milliseconds)
{
    // Finished as a user sees it: the banners in "All Log" and no task counted as running.
    execution::LogPane *pane = allLog();
    auto *running = control<QLabel>(&m_main, "StatusPanel2");
    const QString banner = finishBanner(name);
    return waitFor(
        [&] {
            int seen = 0;
            for (const QString &line : pane->lines())
                seen += line.contains(banner) ? 1 : 0;
            return seen >= runs && running->text() == QLatin1String(" 0 Running Task(s)");
        },
        milliseconds);
}

QStringList PellionUser::lastRunInAllLog(const QString &name) const
{
    const QStringList lines = allLog()->lines();
    const QString banner = startBanner(name);
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        if (lines[i].contains(banner))
            return lines.mid(i);
    }
    return {};
}

int PellionUser::runPages() const
{
    auto *pages = control<execution::PageCtrlLog>(&m_main, "PageCtrlLog");
    return pages ? pages->count() - 1 : 0;
}

} // namespace e2e
