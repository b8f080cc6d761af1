#include "shell/TfrmMain.h"

#include "decoder/ToolsMenu.h"
#include "execution/LogPane.h"
#include "execution/PageCtrlLog.h"
#include "execution/PageCtrlRunLog.h"
#include "execution/RunControl.h"
#include "execution/RunLogFile.h"
#include "execution/Settings.h"
#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/HintText.h"
#include "platform/Language.h"
#include "platform/QtTranslation.h"
#include "platform/SettingsKey.h"
#include "platform/TextError.h"
#include "platform/WindowState.h"
#include "radius/Dictionary.h"
#include "scheduling/Scheduler.h"
#include "scheduling/StartupSchedulePass.h"
#include "shell/CloseAction.h"
#include "shell/ExampleTasks.h"
#include "shell/GroupFileMenu.h"
#include "shell/GroupTree.h"
#include "shell/LanguageMenu.h"
#include "shell/LogCommands.h"
#include "shell/NodeDropTarget.h"
#include "shell/ProductInfo.h"
#include "shell/ProgramCommands.h"
#include "shell/RunHistoryCommand.h"
#include "shell/SecurityCheckItem.h"
#include "shell/ShellIcons.h"
#include "shell/ShellTexts.h"
#include "shell/TaskCommandStates.h"
#include "shell/TaskCommands.h"
#include "shell/TaskListColumns.h"
#include "shell/TaskListView.h"
#include "shell/TaskWindows.h"
#include "shell/TfrmDataMod.h"
#include "shell/TrayControl.h"
#include "shell/ViewCommands.h"
#include "taskstore/Connection.h"
#include "taskstore/DatabaseError.h"
#include "taskstore/GroupStore.h"
#include "taskstore/Query.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace shell {

namespace {
const QString kWindowStateKey = QStringLiteral("Pellion");

// Connects the tool buttons and menu items of one command to `slot`.
template <typename Slot>
void onTrigger(QObject *receiver, std::initializer_list<QObject *> controls, Slot slot)
{
    for (QObject *control : controls) {
        if (auto *action = qobject_cast<QAction *>(control))
            QObject::connect(action, &QAction::triggered, receiver, slot);
        else if (auto *button = qobject_cast<QToolButton *>(control))
            QObject::connect(button, &QToolButton::clicked, receiver, slot);
    }
}
} // namespace

TfrmMain::TfrmMain(TaskWindows &windows, QWidget *parent)
    : QMainWindow(parent), m_windows(windows), m_timerCheckSch(new QTimer(this)),
      m_terminate([] { QCoreApplication::exit(0); })
{
    m_ui.setup(this);
    decoder::addToolsMenu(this);
    resize(800, 600);

    m_connection = std::make_unique<taskstore::Connection>(taskstore::Connection::defaultPath());
    m_query = std::make_unique<taskstore::Query>(*m_connection);
    m_queryTime = std::make_unique<taskstore::Query>(*m_connection);
    m_groups = std::make_unique<taskstore::GroupStore>(*m_connection);
    new GroupFileMenu(*this);

    TfrmMainUi &u = m_ui;
    m_groupTree = std::make_unique<GroupTree>(*u.treTaskGroup, *m_groups,
                                              CommandGroup{u.spbtnGroupRen, u.mnuGroupRen, u.pmuGroupRen},
                                              CommandGroup{u.spbtnGroupDel, u.mnuGroupDel, u.pmuGroupDel}, *this);
    m_taskCommands = std::make_unique<TaskCommands>(
        m_windows, TaskCommands::Store{*m_connection, *m_query, *m_queryTime}, *u.lvwTask, *m_groupTree, *this);
    m_taskStates = std::make_unique<TaskCommandStates>(TaskCommandStates::Commands{
        {u.spbtnRun, u.mnuRun, u.pmuRun},
        {u.spbtnSuspend, u.mnuSuspend, u.pmuSuspend},
        {u.spbtnStop, u.mnuStop, u.pmuStop},
        {u.spbtnTaskEdit, u.mnuTaskEdit, u.pmuTaskEdit},
        {u.spbtnTaskDel, u.mnuTaskDel, u.pmuTaskDel},
        {u.spbtnTaskView, u.mnuTaskView, u.pmuTaskView, u.mnuRunHistory},
    });
    m_logCommands = std::make_unique<LogCommands>(*u.PageCtrlLog, *this);
    m_view = std::make_unique<ViewCommands>(m_ui);
    m_program = std::make_unique<ProgramCommands>(*this);
    connectCommands();
    keepHeadingsWhole(*u.lvwTask);

    applyStartupSettings();
    buildLanguageMenu();
    fillGroups();
    scheduling::RunStartupSchedulePass(*m_connection, platform::Clock::now());
    fillTasks();
    loadDictionary();

    // Task commands wait for a selection; run commands follow it.
    setRunningCount(0);
    lvwTaskChange();
    m_ui.lvwTask->setHeadingIcon(0, ShellIcons::picture(ShellIcons::MarkUp));

    m_timerCheckSch->setObjectName(QStringLiteral("TimerCheckSch"));
    m_timerCheckSch->setSingleShot(true);
    m_timerCheckSch->setInterval(1000);
    connect(m_timerCheckSch, &QTimer::timeout, this, [this] {
        m_timerCheckSch->stop();
        if (m_scheduler && !m_closing)
            m_scheduler->start();
    });
    m_timerCheckSch->start();
    platform::WindowState(kWindowStateKey).restore(*this);
}

void TfrmMain::rememberWindowState() const
{
    platform::WindowState(kWindowStateKey).save(*this);
}

TfrmMain::~TfrmMain()
{
    // Runs and the scheduler reach the list and the log pages: they go first.
    m_scheduler.reset();
    m_runControl.reset();
    // Nothing the tree and the list report from here on is an answer to the user: without
    // this, emptying the tree would choose "All Tasks" and fill the list once more.
    m_ui.treTaskGroup->blockSignals(true);
    m_ui.lvwTask->blockSignals(true);
    m_ui.treTaskGroup->clear();
    m_ui.lvwTask->clear();
    m_tray.reset();
    // The dictionary is the process's: runPellion frees it after this window is gone.
}

void TfrmMain::attachDataModule(TfrmDataMod &dataModule)
{
    execution::RunEnvironment environment;
    environment.runConnection = &dataModule.runConnection();
    environment.log = new execution::PageCtrlRunLog(m_ui.PageCtrlLog); // owned by the pages
    environment.taskList = this;
    m_runControl = std::make_unique<execution::RunControl>(environment);
    m_scheduler = std::make_unique<scheduling::Scheduler>(dataModule.checkConnection(), *m_runControl);
    m_runControl->setScheduler(m_scheduler.get());
    m_taskCommands->attach(m_runControl.get(), m_scheduler.get());
    // The run commands always show the selected task's run, whichever run changed.
    connect(m_runControl.get(), &execution::RunControl::commandStatesChanged, this, [this] { showSelectionStates(); });
    connect(m_runControl.get(), &execution::RunControl::runningCountChanged, this, [this](int count) {
        setRunningCount(count);
        showSelectionStates();
    });
}

void TfrmMain::applyStartupSettings()
{
    const execution::Settings settings = execution::Settings::read();
    if (settings.Minimized)
        setWindowState(windowState() | Qt::WindowMinimized);
    m_tray = std::make_unique<TrayControl>(*this, *m_ui.pmuTary, !settings.HideTray);
    execution::RunLogFile::applySizeLimitAtStartup();
}

void TfrmMain::buildLanguageMenu()
{
    m_languageMenu = new LanguageMenu(m_ui.mnuLanguage, this);
    m_languageMenu->build(platform::Language::directory(), platform::Language::currentName());
    connect(m_languageMenu, &LanguageMenu::languageChosen, this, &TfrmMain::applyLanguage);
    connect(m_languageMenu, &LanguageMenu::languageChosen, this, &TfrmMain::showChosenGroup); // times in its words

    // At start-up the key is opened with creation, so it exists from the first start on.
    std::optional<platform::SettingsKey> key = platform::SettingsKey::open(platform::Language::kKeyName, true);
    if (!key)
        return;
    applyLanguage(key->readString(platform::Language::kValueName, QString()));
}

void TfrmMain::applyLanguage(const QString &language)
{
    const platform::LanguageFile file =
        platform::LanguageFile::load(platform::Language::directory() + language + QLatin1String(".ini"));
    platform::Language::apply(this, texts::mainWindow(), file);
    platform::QtTranslation::use(file);
    m_language = file;
    // Each tool button's hint, "<name>.Hint"; %1 stands for the homepage.
    for (QToolButton *button : findChildren<QToolButton *>()) {
        const QVariant builtIn = button->property("hint");
        if (!builtIn.isValid())
            continue;
        QString hint =
            file.text(QStringLiteral("frmMain"), button->objectName() + QLatin1String(".Hint"), builtIn.toString());
        if (hint.contains(QLatin1String("%1")))
            hint = hint.arg(product::kHomePage);
        setHint(*button, hint);
    }
    m_ui.mnuLanguage->menuAction()->setStatusTip(
        word("mnuLanguage.Hint", "Offers commands customizing the soft language"));
    m_groupTree->setRootCaption(word("RootNode", "All Tasks"));
    execution::PageCtrlLog *pages = m_ui.PageCtrlLog;
    pages->setTabText(pages->indexOf(pages->allLogPage()), word("AllLog", "All Log"));
    pages->setRunPageCaption(word("RunLog", "Active Log [%1]"));
    lvwTaskChange();
    setRunningCount(m_runControl ? m_runControl->runningCount() : 0);
    int column = 0;
    for (const platform::TextEntry &entry : texts::taskListHeadings())
        m_ui.lvwTask->setHeading(column++,
                                 file.text(QString::fromUtf8(entry.section), QString::fromUtf8(entry.key),
                                           QString::fromUtf8(entry.builtIn)));
    setLastResultHeading(*m_ui.lvwTask, file);
}

QString TfrmMain::word(const char *key, const char *builtIn) const
{
    return m_language.text(QStringLiteral("frmMain"), QString::fromLatin1(key), QString::fromLatin1(builtIn));
}

void TfrmMain::loadDictionary()
{
    // A missing or broken dictionary does not stop start-up; look-ups then find less.
    (void)radius::Dictionary::loadProgramDictionary();
}

bool TfrmMain::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        m_ui.StatusPanel3->setText(platform::longHint(static_cast<QStatusTipEvent *>(event)->tip()));
        return true;
    }
    return QMainWindow::event(event);
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    switch (closeActionFor(execution::Settings::read().WhenClose)) {
    case CloseAction::End: break;
    case CloseAction::AskFirst:
        if (!platform::DialogService::instance().askOkCancel(
                QStringLiteral("If you exit it will not run any scheduled.\nAre you sure you want to exit?"))) {
            event->ignore();
            return;
        }
        break;
    case CloseAction::Minimise:
        event->ignore();
        showMinimized();
        return;
    }
    m_closing = true;
    m_taskCommands->refuseRuns();
    m_tray->beginClosing();
    rememberWindowState();
    m_ui.StatusPanel3->setText(word("ShuttingDown", "Shutting Down..."));
    m_ui.StatusPanel3->repaint();
    // Stops every run and the scheduler and waits for their threads; no event loop runs
    // meanwhile, so nothing the user does reaches the window.
    if (m_runControl)
        m_runControl->shutDown();
    else if (m_scheduler)
        m_scheduler->shutDown();
    event->accept();
    m_terminate(); // the main window closed: the program ends
}

void TfrmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_tray)
        m_tray->windowMinimised();
}

QSystemTrayIcon *TfrmMain::trayIcon() const
{
    return m_tray ? m_tray->icon() : nullptr;
}

FindDialog *TfrmMain::findDialog() const
{
    return m_logCommands->findDialog();
}

const TaskListOrder &TfrmMain::order() const
{
    return m_view->order();
}

QString TfrmMain::selectedTaskId() const
{
    return m_ui.lvwTask->selectedTaskId();
}

QString TfrmMain::selectedGroupKey() const
{
    return m_groupTree->selectedKey();
}

void TfrmMain::fillGroups()
{
    m_groupTree->fill(word("RootNode", "All Tasks"));
}

void TfrmMain::fillGroupsAndList()
{
    fillGroups();
    showChosenGroup();
}

void TfrmMain::fillTasks()
{
    const QList<TaskRow> rows =
        readTaskRows(*m_query, *m_queryTime, selectedGroupKey(), history::LanguageDates(m_language));
    m_ui.lvwTask->setUpdatesEnabled(false);
    m_ui.lvwTask->setRows(rows);
    showLastResults(*m_ui.lvwTask, *m_connection);
    fitTaskListColumns(*m_ui.lvwTask);
    m_ui.lvwTask->setUpdatesEnabled(true);
}

void TfrmMain::showChosenGroup()
{
    try {
        fillTasks();
    } catch (const taskstore::DatabaseError &error) {
        platform::DialogService::instance().showError(error.text());
    }
}

void TfrmMain::lvwTaskChange()
{
    m_ui.StatusPanel1->setText(QLatin1Char(' ') + word("TaskCount", "%1 Task(s)").arg(m_ui.lvwTask->rowCount()));
    showSelectionStates();
}

void TfrmMain::showSelectionStates()
{
    m_taskStates->show(*m_ui.lvwTask, m_runControl.get());
}

void TfrmMain::setRunningCount(int count)
{
    m_ui.StatusPanel2->setText(QLatin1Char(' ') + word("RunningCount", "%1 Running Task(s)").arg(count));
}

void TfrmMain::showRunTimes(const QString &taskId, const QString &lastRunTime, const QString &nextRunTime)
{
    const history::LanguageDates dates(m_language);
    m_ui.lvwTask->updateTimes(taskId, dates.fromRegionalText(lastRunTime), dates.fromRegionalText(nextRunTime));
    QCoreApplication::processEvents();
}

void TfrmMain::showVerdict(const QString &taskId, taskstore::Verdict verdict)
{
    showLastResult(*m_ui.lvwTask, taskId, verdict);
}

void TfrmMain::loadExamplesClick()
{
    try {
        ExampleTasks::load(*m_connection, ExampleEndpoint::demoServer(), platform::Clock::now());
    } catch (const platform::TextError &error) {
        platform::DialogService::instance().showError(error.text());
    }
    fillGroupsAndList();
}

void TfrmMain::exitClick()
{
    // Ends at once: no close steps, runs and the scheduler are not asked to stop.
    rememberWindowState();
    m_terminate();
}

void TfrmMain::connectCommands()
{
    TfrmMainUi &u = m_ui;
    GroupTree *groups = m_groupTree.get();
    onTrigger(this, {u.spbtnGroupAdd, u.mnuGroupNew, u.pmuGroupAdd}, [groups] { groups->addClick(); });
    onTrigger(this, {u.spbtnGroupRen, u.mnuGroupRen, u.pmuGroupRen}, [groups] { groups->renameClick(); });
    onTrigger(this, {u.spbtnGroupDel, u.mnuGroupDel, u.pmuGroupDel}, [groups] { groups->deleteClick(); });

    TaskCommands *tasks = m_taskCommands.get();
    onTrigger(this, {u.spbtnTaskAdd, u.mnuTaskNew, u.pmuTaskNew}, [tasks] { tasks->newClick(); });
    onTrigger(this, {u.spbtnTaskEdit, u.mnuTaskEdit, u.pmuTaskEdit}, [tasks] { tasks->editClick(); });
    onTrigger(this, {u.spbtnTaskDel, u.mnuTaskDel, u.pmuTaskDel}, [tasks] { tasks->deleteClick(); });
    onTrigger(this, {u.spbtnTaskView, u.mnuTaskView, u.pmuTaskView}, [tasks] { tasks->viewClick(); });
    onTrigger(this, {u.mnuRunHistory}, [this] { openRunHistory(*m_ui.lvwTask, *m_connection, this); });
    onTrigger(this, {u.mnuTaskDuplicate, u.pmuTaskDuplicate}, [tasks] { tasks->duplicateClick(); });
    onTrigger(this, {u.pmuCopyCommandLine}, [tasks] { tasks->copyCommandLineClick(); });
    connect(u.pmuMoveToGroup, &QMenu::aboutToShow, this,
            [this] { m_taskCommands->fillMoveToGroupMenu(*m_ui.pmuMoveToGroup); });
    onTrigger(this, {u.spbtnRun, u.mnuRun, u.pmuRun}, [tasks] { tasks->runClick(); });
    onTrigger(this, {u.spbtnSuspend, u.mnuSuspend, u.pmuSuspend}, [tasks] { tasks->suspendClick(); });
    onTrigger(this, {u.spbtnStop, u.mnuStop, u.pmuStop}, [tasks] { tasks->stopClick(); });
    addSecurityCheckItem(u.mnuAction, [this] {
        if (m_runControl && !m_closing)
            m_runControl->checkSecurityClicked(selectedTaskId());
    });

    ViewCommands *view = m_view.get();
    onTrigger(this, {u.mnuToolBax}, [view] { view->toolBarClick(); });
    onTrigger(this, {u.mnuTaskGroup, u.pmuHideGroup}, [view] { view->groupTreeClick(); });
    onTrigger(this, {u.mnuLog, u.pmuHideLog}, [view] { view->logPaneClick(); });
    onTrigger(this, {u.mnuStatusBar}, [view] { view->statusBarClick(); });
    const QList<QList<QAction *>> styles = {{u.mnuLargeIcon, u.pmuLargleIcon},
                                            {u.mnuSmallIcon, u.pmuSmallIcon},
                                            {u.mnuList, u.pmuList},
                                            {u.mnuDetailed, u.pmuDetailed}};
    for (int style = 0; style < int(styles.size()); ++style)
        for (QAction *action : styles.at(style))
            connect(action, &QAction::triggered, this, [view, style] { view->setListStyle(style); });

    ProgramCommands *program = m_program.get();
    onTrigger(this, {u.mnuServerMan}, [this] { m_windows.openServerManager(this); });
    onTrigger(this, {u.mnuDictMan}, [this, program] {
        program->dictionaryManagerClick([this](const QString &text) { m_ui.StatusPanel3->setText(text); });
    });
    onTrigger(this, {u.spbtnOption, u.mnuOption}, [program] { program->optionsClick(); });
    onTrigger(this, {u.spbtnHelp, u.mnuContent}, [program] { program->helpClick(); });
    onTrigger(this, {u.spbtnAbout, u.mnuAbout, u.pmuAbout}, [program] { program->aboutClick(); });
    onTrigger(this, {u.spbtnHomepage, u.mnuHomepage}, [] { ProgramCommands::homepageClick(); });
    onTrigger(this, {u.mnuLoadExamples}, [this] { loadExamplesClick(); });
    onTrigger(this, {u.mnuExit, u.pmuExit}, [this] { exitClick(); });

    LogCommands *log = m_logCommands.get();
    onTrigger(this, {u.spbtnSave, u.pmuSaveAs}, [log] { log->saveAsClick(); });
    onTrigger(this, {u.spbtnClear, u.pmuClear}, [log] { log->clearClick(); });
    onTrigger(this, {u.spbtnFind, u.pmuFind}, [log] { log->findClick(); });
    onTrigger(this, {u.spbtnBrowseLog, u.pmuBrowseLog}, [] { LogCommands::browseClick(); });
    execution::LogPane *pane = u.PageCtrlLog->allLog();
    pane->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pane, &QWidget::customContextMenuRequested, this,
            [this, pane](const QPoint &at) { m_ui.pmuLog->popup(pane->viewport()->mapToGlobal(at)); });

    onTrigger(this, {u.pmuShowForm}, [this] { m_tray->showFormClick(); });
    onTrigger(this, {u.pmuHideForm}, [this] { m_tray->hideFormClick(); });

    connect(groups, &GroupTree::groupChosen, this, [this] { showChosenGroup(); });
    connect(u.treTaskGroup, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (QTreeWidgetItem *node = m_ui.treTaskGroup->itemAt(at))
            m_ui.treTaskGroup->setCurrentItem(node);
        m_ui.pmuTaskGroup->popup(m_ui.treTaskGroup->viewport()->mapToGlobal(at));
    });
    connectTaskList();
}

void TfrmMain::connectTaskList()
{
    TaskListView *list = m_ui.lvwTask;
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
    connect(new NodeDropTarget(m_ui.treTaskGroup, rowFormat), &NodeDropTarget::droppedOn, this,
            [this](QTreeWidgetItem *node) { m_taskCommands->moveToNode(*node); });
    // A double-click on a row edits its task, in every style of the list.
    for (auto *view : list->findChildren<QAbstractItemView *>())
        connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
            if (index.isValid() && m_ui.lvwTask->hasSelection())
                m_taskCommands->editClick();
        });
    connect(list, &TaskListView::contentChanged, this, [this] { lvwTaskChange(); });
    connect(list, &TaskListView::headerClicked, this, [this](int column) { m_view->headingClick(column); });
    connect(list, &TaskListView::contextMenuRequested, this, [this](const QPoint &at) { m_ui.pmuTask->popup(at); });
}

} // namespace shell
