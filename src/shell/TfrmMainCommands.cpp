// TfrmMain: menus, toolbar, view switches, log pane commands and the tray icon.
#include "shell/TfrmMain.h"

#include "execution/ClientText.h"
#include "execution/LogPane.h"
#include "execution/PageCtrlLog.h"
#include "execution/RunControl.h"
#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/Language.h"
#include "platform/ProgramDirectory.h"
#include "platform/TextError.h"
#include "shell/DesktopOpener.h"
#include "shell/ExampleTasks.h"
#include "shell/FindDialog.h"
#include "shell/HelpPage.h"
#include "shell/NodeDropTarget.h"
#include "shell/ProductInfo.h"
#include "shell/SecurityCheckItem.h"
#include "shell/ShellIcons.h"
#include "shell/TaskListView.h"
#include "shell/TaskWindows.h"
#include "shell/TfrmAbout.h"
#include "shell/TfrmOption.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QSaveFile>
#include <QSplitter>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

namespace shell {

namespace {
template <typename Slot>
void onTrigger(TfrmMain *window, std::initializer_list<QObject *> controls, Slot slot)
{
    for (QObject *control : controls) {
        if (auto *action = qobject_cast<QAction *>(control))
            QObject::connect(action, &QAction::triggered, window, slot);
        else if (auto *button = qobject_cast<QToolButton *>(control))
            QObject::connect(button, &QToolButton::clicked, window, slot);
    }
}
} // namespace

void TfrmMain::connectCommands()
{
    TfrmMainUi &u = m_ui;
    onTrigger(this, {u.spbtnGroupAdd, u.mnuGroupNew, u.pmuGroupAdd}, [this] { groupAddClick(); });
    onTrigger(this, {u.spbtnGroupRen, u.mnuGroupRen, u.pmuGroupRen}, [this] { groupRenClick(); });
    onTrigger(this, {u.spbtnGroupDel, u.mnuGroupDel, u.pmuGroupDel}, [this] { groupDelClick(); });
    onTrigger(this, {u.spbtnTaskAdd, u.mnuTaskNew, u.pmuTaskNew}, [this] { taskNewClick(); });
    onTrigger(this, {u.spbtnTaskEdit, u.mnuTaskEdit, u.pmuTaskEdit}, [this] { taskEditClick(); });
    onTrigger(this, {u.spbtnTaskDel, u.mnuTaskDel, u.pmuTaskDel}, [this] { taskDelClick(); });
    onTrigger(this, {u.spbtnTaskView, u.mnuTaskView, u.pmuTaskView}, [this] { taskViewClick(); });
    onTrigger(this, {u.mnuTaskDuplicate, u.pmuTaskDuplicate}, [this] { taskDuplicateClick(); });
    onTrigger(this, {u.pmuCopyCommandLine}, [this] { copyCommandLineClick(); });
    connect(u.pmuMoveToGroup, &QMenu::aboutToShow, this, [this] { fillMoveToGroupMenu(); });
    onTrigger(this, {u.spbtnRun, u.mnuRun, u.pmuRun}, [this] {
        if (m_closing)
            return;
        if (m_runControl)
            m_runControl->runClicked(selectedTaskId());
        else if (!m_ui.lvwTask->hasSelection())
            platform::DialogService::instance().inform(QStringLiteral("Please select a task."));
    });
    onTrigger(this, {u.spbtnSuspend, u.mnuSuspend, u.pmuSuspend}, [this] {
        if (m_runControl)
            m_runControl->suspendClicked(selectedTaskId());
    });
    onTrigger(this, {u.spbtnStop, u.mnuStop, u.pmuStop}, [this] {
        if (m_runControl)
            m_runControl->stopClicked(selectedTaskId());
    });
    addSecurityCheckItem(u.mnuAction, [this] {
        if (m_runControl && !m_closing)
            m_runControl->checkSecurityClicked(selectedTaskId());
    });

    onTrigger(this, {u.mnuToolBax}, [this] { mnuToolBaxClick(); });
    onTrigger(this, {u.mnuTaskGroup, u.pmuHideGroup}, [this] { mnuTaskGroupClick(); });
    onTrigger(this, {u.mnuLog, u.pmuHideLog}, [this] { mnuLogClick(); });
    onTrigger(this, {u.mnuStatusBar}, [this] { mnuStatusBarClick(); });
    const QList<QList<QAction *>> styles = {{u.mnuLargeIcon, u.pmuLargleIcon},
                                            {u.mnuSmallIcon, u.pmuSmallIcon},
                                            {u.mnuList, u.pmuList},
                                            {u.mnuDetailed, u.pmuDetailed}};
    for (int style = 0; style < int(styles.size()); ++style)
        for (QAction *action : styles.at(style))
            connect(action, &QAction::triggered, this, [this, style] { setViewStyle(style); });

    onTrigger(this, {u.mnuServerMan}, [this] { m_windows.openServerManager(this); });
    onTrigger(this, {u.mnuDictMan}, [this] { mnuDictManClick(); });
    onTrigger(this, {u.spbtnOption, u.mnuOption}, [this] { optionClick(); });
    onTrigger(this, {u.spbtnHelp, u.mnuContent}, [this] { helpClick(); });
    onTrigger(this, {u.spbtnAbout, u.mnuAbout, u.pmuAbout}, [this] { aboutClick(); });
    onTrigger(this, {u.spbtnHomepage, u.mnuHomepage}, [this] { homepageClick(); });
    onTrigger(this, {u.mnuLoadExamples}, [this] { loadExamplesClick(); });
    onTrigger(this, {u.mnuExit, u.pmuExit}, [this] { exitClick(); });
    onTrigger(this, {u.spbtnSave, u.pmuSaveAs}, [this] { saveAsClick(); });
    onTrigger(this, {u.spbtnClear, u.pmuClear}, [this] { clearClick(); });
    onTrigger(this, {u.spbtnFind, u.pmuFind}, [this] { findClick(); });
    onTrigger(this, {u.spbtnBrowseLog, u.pmuBrowseLog}, [] { execution::PageCtrlLog::browseLogFolder(); });
    onTrigger(this, {u.pmuShowForm}, [this] { showForm(); });
    onTrigger(this, {u.pmuHideForm}, [this] { hide(); });

    // Tree: a click fills the list; so does a move by keyboard (a mouse press waits for its click).
    connect(u.treTaskGroup, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!m_fillingTree)
            treTaskGroupChange();
    });
    connect(u.treTaskGroup, &QTreeWidget::itemClicked, this, [this] { treTaskGroupClick(); });
    connect(u.treTaskGroup, &QTreeWidget::currentItemChanged, this, [this] {
        if (!m_fillingTree && QApplication::mouseButtons() == Qt::NoButton)
            treTaskGroupClick();
    });
    connect(u.treTaskGroup, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (QTreeWidgetItem *node = m_ui.treTaskGroup->itemAt(at))
            m_ui.treTaskGroup->setCurrentItem(node);
        m_ui.pmuTaskGroup->popup(m_ui.treTaskGroup->viewport()->mapToGlobal(at));
    });

    TaskListView *list = u.lvwTask;
    // A change of the selection is a change of the list's state too.
    connect(list, &TaskListView::selectionChanged, this, [this] {
        if (m_runControl)
            m_runControl->updateCommandStates(selectedTaskId());
        lvwTaskChange();
    });
    connect(list, &TaskListView::clicked, this, [this] { showSelectionStates(); });
    // A row dragged onto a group node moves its task there.
    const QString rowFormat = QStringLiteral("application/x-qstandarditemmodeldatalist");
    for (auto *view : list->findChildren<QAbstractItemView *>()) {
        view->setDragEnabled(true);
        view->setDragDropMode(QAbstractItemView::DragOnly);
        view->setDefaultDropAction(Qt::MoveAction);
    }
    connect(new NodeDropTarget(u.treTaskGroup, rowFormat), &NodeDropTarget::droppedOn, this,
            [this](QTreeWidgetItem *node) { moveTaskToNode(node); });
    // A double-click on a row edits its task, in every style of the list.
    for (auto *view : list->findChildren<QAbstractItemView *>())
        connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
            if (index.isValid() && m_ui.lvwTask->hasSelection())
                taskEditClick();
        });
    connect(list, &TaskListView::contentChanged, this, [this] { lvwTaskChange(); });
    connect(list, &TaskListView::headerClicked, this, [this](int column) { lvwTaskColumnClick(column); });
    connect(list, &TaskListView::contextMenuRequested, this, [this](const QPoint &at) { m_ui.pmuTask->popup(at); });

    execution::LogPane *pane = u.PageCtrlLog->allLog();
    pane->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pane, &QWidget::customContextMenuRequested, this,
            [this, pane](const QPoint &at) { m_ui.pmuLog->popup(pane->viewport()->mapToGlobal(at)); });
}

void TfrmMain::setRunCommandStates(execution::RunCommandState state)
{
    const execution::RunCommandEnabled enabled = execution::enabledCommands(state);
    m_taskRun.setEnabled(enabled.run);
    m_taskSuspend.setEnabled(enabled.suspend);
    m_taskStop.setEnabled(enabled.stop);
}

void TfrmMain::setRunningCount(int count)
{
    m_ui.StatusPanel2->setText(QLatin1Char(' ') + word("RunningCount", "%1 Running Task(s)").arg(count));
}

void TfrmMain::mnuToolBaxClick()
{
    const bool show = !m_ui.PanelToolBax->isVisible();
    m_ui.PanelToolBax->setVisible(show);
    m_ui.mnuToolBax->setChecked(show);
}

void TfrmMain::mnuTaskGroupClick()
{
    // pmuHideGroup follows the View menu's tick.
    const bool show = !m_ui.PanelGroup->isVisible();
    m_ui.PanelGroup->setVisible(show);
    m_ui.mnuTaskGroup->setChecked(show);
}

void TfrmMain::mnuLogClick()
{
    const bool show = !m_ui.PanelLog->isVisible();
    m_ui.PanelLog->setVisible(show); // the splitter gives the list the room, and takes it back
    m_ui.mnuLog->setChecked(show);
}

void TfrmMain::mnuStatusBarClick()
{
    const bool show = !m_ui.StatusBar->isVisible();
    m_ui.StatusBar->setVisible(show);
    m_ui.mnuStatusBar->setChecked(show);
}

void TfrmMain::mnuDictManClick()
{
    QApplication::processEvents();
    // Started beside this program and left alone; a failed start is not reported.
    QProcess::startDetached(platform::ProgramDirectory::filePath(QStringLiteral("Glossor")), {},
                            platform::ProgramDirectory::path());
}

void TfrmMain::optionClick()
{
    TfrmOption dialog(this);
    dialog.exec();
}

void TfrmMain::helpClick()
{
    QApplication::processEvents();
    const QString help = helpPagePath(platform::ProgramDirectory::filePath(QStringLiteral("Help")),
                                      platform::Language::text("Help", "Page", "index.html"));
    // Without a browser nothing would show at all: say so, and where the help is.
    openOnDesktop(help, this, [help] {
        platform::DialogService::instance().showError(
            platform::Language::text("Messages", "HelpNotOpened", "The desktop could not open the help file: %1")
                .arg(help));
    });
}

void TfrmMain::loadExamplesClick()
{
    try {
        ExampleTasks::load(*m_connection, ExampleEndpoint::demoServer(), platform::Clock::now());
    } catch (const platform::TextError &error) {
        platform::DialogService::instance().showError(error.text());
    }
    fillGroups();
}

void TfrmMain::aboutClick()
{
    TfrmAbout about(this);
    about.exec();
}

void TfrmMain::homepageClick()
{
    QDesktopServices::openUrl(QUrl(product::kHomePage));
}

void TfrmMain::exitClick()
{
    // Ends at once: no close steps, runs and the scheduler are not asked to stop.
    rememberWindowState();
    m_terminate();
}

void TfrmMain::saveAsClick()
{
    execution::LogPane *pane = m_ui.PageCtrlLog->allLog();
    if (pane->isEmpty())
        return;
    platform::FileRequest request;
    request.title = QStringLiteral("Save As");
    request.filter = QStringLiteral("Text files(*.txt);;All files(*.*)");
    request.defaultSuffix = QStringLiteral("txt");
    const QString path = platform::DialogService::instance().saveFileName(request);
    if (path.isEmpty() || !m_ui.PageCtrlLog->isAllLogActive())
        return;
    // The clients' bytes as they wrote them, like the log file.
    QByteArray text;
    for (const QString &line : pane->storedLines())
        text += execution::encodeClientText(line) + '\n';
    // Written whole or not at all: a failed save leaves the previous file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) < 0 || !file.commit())
        platform::DialogService::instance().showError(
            QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
}

void TfrmMain::clearClick()
{
    if (m_ui.PageCtrlLog->isAllLogActive())
        m_ui.PageCtrlLog->allLog()->clear();
}

void TfrmMain::findClick()
{
    if (m_ui.PageCtrlLog->allLog()->isEmpty() || !m_ui.PageCtrlLog->isAllLogActive())
        return;
    if (!m_findDialog) {
        m_findDialog = new FindDialog(this);
        connect(m_findDialog, &FindDialog::findNext, this, &TfrmMain::findNext);
    }
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
}

void TfrmMain::findNext(const QString &text)
{
    // Case-exact, from the end of the selection; without a match nothing changes.
    execution::LogPane *pane = m_ui.PageCtrlLog->allLog();
    if (pane->find(text))
        pane->setFocus();
}

void TfrmMain::showForm()
{
    show();
    if (isMinimized())
        showNormal();
}

void TfrmMain::restoreFromTray()
{
    showNormal();
    raise();
    activateWindow();
}

void TfrmMain::makeTrayIcon()
{
    m_tray = new QSystemTrayIcon(ShellIcons::applicationIcon(), this);
    m_tray->setObjectName(QStringLiteral("TrayIcon"));
    m_tray->setContextMenu(m_ui.pmuTary);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (m_closing)
            return;
        if (reason == QSystemTrayIcon::DoubleClick)
            restoreFromTray();
        else if (reason == QSystemTrayIcon::Context && QApplication::activeWindow())
            QApplication::activeWindow()->raise();
    });
    m_tray->show();
}

} // namespace shell
