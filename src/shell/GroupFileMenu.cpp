#include "shell/GroupFileMenu.h"

#include "groupfile/GroupFileTransfer.h"
#include "platform/Clock.h"
#include "platform/CurrentLanguage.h"
#include "platform/DialogService.h"
#include "scheduling/Scheduler.h"
#include "shell/TfrmMain.h"
#include "taskstore/GroupStore.h"

#include <QAction>
#include <QDir>
#include <QMenu>

namespace shell {

namespace {
QString text(const char *key, const char *builtIn)
{
    return platform::CurrentLanguage::text("frmMain", key, builtIn);
}

QString fileFilter()
{
    return text("GroupFileFilter", "Pellion groups (*.pellion-group);;All files (*.*)");
}

QAction *menuItem(TfrmMain &main, const char *name, const char *caption)
{
    auto *action = new QAction(QString::fromLatin1(caption), &main);
    action->setObjectName(QString::fromLatin1(name));
    main.addAction(action);
    return action;
}
} // namespace

GroupFileMenu::GroupFileMenu(TfrmMain &main) : QObject(&main), m_main(main)
{
    QAction *exportGroup = menuItem(main, "mnuGroupExport", "Export Group...");
    QAction *importGroup = menuItem(main, "mnuGroupImport", "Import Group...");
    QMenu *file = main.ui().mnuFile;
    file->insertActions(main.ui().mnuExit, {exportGroup, importGroup});
    file->insertSeparator(main.ui().mnuExit);
    connect(exportGroup, &QAction::triggered, this, &GroupFileMenu::exportClicked);
    connect(importGroup, &QAction::triggered, this, &GroupFileMenu::importClicked);
}

void GroupFileMenu::exportClicked()
{
    platform::DialogService &dialogs = platform::DialogService::instance();
    const QString groupId = m_main.selectedGroupKey();
    QString groupName;
    const taskstore::StoreResult<QList<taskstore::GroupRow>> groups =
        taskstore::GroupStore(m_main.connection()).groups();
    for (const taskstore::GroupRow &row : groups.value())
        if (row.id == groupId)
            groupName = row.name;
    if (groupName.isEmpty()) {
        dialogs.inform(groups.ok() ? text("SelectGroup", "Please select a task group.") : groups.error());
        return;
    }
    const QString path = dialogs.saveFileName({text("GroupExportTitle", "Export Group"), QDir::homePath(), fileFilter(),
                                               QStringLiteral("pellion-group"), groupName});
    if (path.isEmpty())
        return;
    const QString error = groupfile::exportGroupToFile(m_main.connection(), groupId, groupName, path);
    if (!error.isEmpty())
        dialogs.showError(text("GroupExportFailed", "The group could not be exported: %1").arg(error));
}

void GroupFileMenu::importClicked()
{
    platform::DialogService &dialogs = platform::DialogService::instance();
    const QString path =
        dialogs.openFileName({text("GroupImportTitle", "Import Group"), QDir::homePath(), fileFilter(), {}, {}});
    if (path.isEmpty())
        return;
    const groupfile::ImportResult result =
        groupfile::importGroupFromFile(m_main.connection(), path, platform::Clock::now());
    if (!result.ok()) {
        dialogs.showError(text("GroupImportFailed", "Nothing was imported from \"%1\": %2").arg(path, result.error));
        return;
    }
    m_main.fillGroupsAndList();
    if (scheduling::Scheduler *scheduler = m_main.scheduler())
        scheduler->restart();
    dialogs.inform(text("GroupImported", "%1 task(s) imported into the group \"%2\".")
                       .arg(result.imported.taskNames.size())
                       .arg(result.groupName));
}

} // namespace shell
