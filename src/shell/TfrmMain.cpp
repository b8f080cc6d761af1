#include "shell/TfrmMain.h"

#include "decoder/ToolsMenu.h"
#include "execution/PageCtrlLog.h"
#include "execution/PageCtrlRunLog.h"
#include "execution/RunControl.h"
#include "execution/RunLogFile.h"
#include "execution/Settings.h"
#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/HintText.h"
#include "platform/Language.h"
#include "platform/SettingsKey.h"
#include "platform/WindowState.h"
#include "radius/Dictionary.h"
#include "scheduling/Scheduler.h"
#include "scheduling/StartupSchedulePass.h"
#include "shell/CloseAction.h"
#include "shell/FindDialog.h"
#include "shell/LanguageMenu.h"
#include "shell/ShellIcons.h"
#include "shell/ShellTexts.h"
#include "shell/TaskListView.h"
#include "shell/TfrmDataMod.h"
#include "taskstore/Connection.h"
#include "taskstore/GroupStore.h"
#include "taskstore/Query.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace shell {

namespace {
const QString kWindowStateKey = QStringLiteral("Pellion");
} // namespace

TfrmMain::TfrmMain(TaskWindows &windows, QWidget *parent)
    : QMainWindow(parent), m_windows(windows), m_timerCheckSch(new QTimer(this)),
      m_terminate([] { QCoreApplication::exit(0); })
{
    m_ui.setup(this);
    decoder::addToolsMenu(this);
    resize(800, 600);
    m_groupRename = {m_ui.spbtnGroupRen, m_ui.mnuGroupRen, m_ui.pmuGroupRen};
    m_groupDelete = {m_ui.spbtnGroupDel, m_ui.mnuGroupDel, m_ui.pmuGroupDel};
    m_taskRun = {m_ui.spbtnRun, m_ui.mnuRun, m_ui.pmuRun};
    m_taskSuspend = {m_ui.spbtnSuspend, m_ui.mnuSuspend, m_ui.pmuSuspend};
    m_taskStop = {m_ui.spbtnStop, m_ui.mnuStop, m_ui.pmuStop};
    m_taskEdit = {m_ui.spbtnTaskEdit, m_ui.mnuTaskEdit, m_ui.pmuTaskEdit};
    m_taskDelete = {m_ui.spbtnTaskDel, m_ui.mnuTaskDel, m_ui.pmuTaskDel};
    m_taskView = {m_ui.spbtnTaskView, m_ui.mnuTaskView, m_ui.pmuTaskView};
    connectCommands();

    m_connection = std::make_unique<taskstore::Connection>(taskstore::Connection::defaultPath());
    m_query = std::make_unique<taskstore::Query>(*m_connection);
    m_queryTime = std::make_unique<taskstore::Query>(*m_connection);
    m_groups = std::make_unique<taskstore::GroupStore>(*m_connection);

    applyStartupSettings();
    buildLanguageMenu();
    fillGroups();
    scheduling::RunStartupSchedulePass(*m_connection, platform::Clock::now());
    fillTasks();
    loadDictionary();

    // Group and task commands wait for a selection; run commands follow it.
    m_groupRename.setEnabled(false);
    m_groupDelete.setEnabled(false);
    setTaskCommandsEnabled(false);
    setRunCommandStates(execution::RunCommandState::Idle);
    m_taskRun.setEnabled(false);
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
    m_ui.treTaskGroup->clear();
    m_ui.lvwTask->clear();
    delete m_tray;
    m_tray = nullptr;
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
    makeTrayIcon();
    if (settings.HideTray) {
        delete m_tray;
        m_tray = nullptr;
    }
    execution::RunLogFile::applySizeLimitAtStartup();
}

void TfrmMain::buildLanguageMenu()
{
    m_languageMenu = new LanguageMenu(m_ui.mnuLanguage, this);
    m_languageMenu->build(platform::Language::directory(), platform::Language::currentName());
    connect(m_languageMenu, &LanguageMenu::languageChosen, this, &TfrmMain::applyLanguage);

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
    m_language = file;
    if (QTreeWidgetItem *root = rootNode())
        root->setText(0, word("RootNode", "All Tasks"));
    execution::PageCtrlLog *pages = m_ui.PageCtrlLog;
    pages->setTabText(pages->indexOf(pages->allLogPage()), word("AllLog", "All Log"));
    lvwTaskChange();
    setRunningCount(m_runControl ? m_runControl->runningCount() : 0);
    int column = 0;
    for (const platform::TextEntry &entry : texts::taskListHeadings())
        m_ui.lvwTask->setHeading(column++,
                                 file.text(QString::fromUtf8(entry.section), QString::fromUtf8(entry.key),
                                           QString::fromUtf8(entry.builtIn)));
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
    rememberWindowState();
    if (m_tray)
        m_tray->hide();
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
    // With the tray icon, a minimised window leaves the task bar; the icon brings it back.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_tray && m_tray->isVisible()
        && QSystemTrayIcon::isSystemTrayAvailable())
        QTimer::singleShot(0, this, [this] {
            if (isMinimized())
                hide();
        });
}

} // namespace shell
