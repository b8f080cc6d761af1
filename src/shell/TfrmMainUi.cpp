#include "shell/TfrmMainUi.h"

#include "execution/PageCtrlLog.h"
#include "platform/HintText.h"
#include "shell/ProductInfo.h"
#include "shell/ShellIcons.h"
#include "shell/TaskListView.h"

#include <QAction>
#include <QActionGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace shell {

namespace {
QAction *item(QObject *parent, const char *name, const char *caption, const QKeySequence &shortcut = {})
{
    auto *action = new QAction(QString::fromUtf8(caption), parent);
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QAction *tick(QAction *action, bool checked = true)
{
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

QMenu *menu(QWidget *parent, const char *name, const char *caption)
{
    auto *result = new QMenu(QString::fromUtf8(caption), parent);
    result->setObjectName(QLatin1String(name));
    return result;
}

} // namespace

void setHint(QToolButton &button, const QString &hint)
{
    button.setToolTip(platform::shortHint(hint));
    button.setStatusTip(platform::longHint(hint));
}

namespace {

// A flat picture button; the hint is "short | long": the short part is the tool tip and
// the long part goes to the status bar.
QToolButton *toolButton(QWidget *parent, const char *name, ShellIcons::Tool picture, const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setIcon(ShellIcons::tool(picture));
    button->setIconSize(QSize(24, 24));
    button->setProperty("hint", hint);
    setHint(*button, hint);
    return button;
}

QToolButton *logButton(QWidget *parent, const char *name, ShellIcons::Tool picture, const char *caption)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setIcon(ShellIcons::tool(picture));
    button->setText(QString::fromUtf8(caption));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

QFrame *divider(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QLabel *panel(QWidget *parent, const char *name, int width)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    if (width > 0)
        label->setFixedWidth(width);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

QActionGroup *styleGroup(QObject *parent, std::initializer_list<QAction *> actions)
{
    auto *group = new QActionGroup(parent);
    for (QAction *action : actions)
        group->addAction(tick(action, false));
    return group;
}
} // namespace

void TfrmMainUi::setup(QMainWindow *window)
{
    window->setObjectName(QStringLiteral("frmMain"));
    window->setWindowTitle(product::kTitle);
    window->setWindowIcon(ShellIcons::picture(ShellIcons::Task));

    // Menu bar.
    MainMnu = new QMenuBar(window);
    MainMnu->setObjectName(QStringLiteral("MainMnu"));
    window->setMenuBar(MainMnu);
    mnuFile = menu(MainMnu, "mnuFile", "&File");
    mnuTaskNew = item(window, "mnuTaskNew", "New Task", QKeySequence(Qt::Key_Insert));
    mnuTaskEdit = item(window, "mnuTaskEdit", "Edit Task", QKeySequence(Qt::CTRL | Qt::Key_E));
    mnuTaskDel = item(window, "mnuTaskDel", "Delete Task", QKeySequence(Qt::CTRL | Qt::Key_Delete));
    mnuTaskView = item(window, "mnuTaskView", "&View Task", QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuGroupNew = item(window, "mnuGroupNew", "Add Task Group");
    mnuGroupRen = item(window, "mnuGroupRen", "Rename Task Group");
    mnuGroupDel = item(window, "mnuGroupDel", "Remove Task Group");
    mnuExit = item(window, "mnuExit", "Exit");
    mnuFile->addActions({mnuTaskNew, mnuTaskEdit, mnuTaskDel, mnuTaskView});
    mnuFile->addSeparator();
    mnuFile->addActions({mnuGroupNew, mnuGroupRen, mnuGroupDel});
    mnuFile->addSeparator();
    mnuFile->addAction(mnuExit);

    mnuView = menu(MainMnu, "mnuView", "&View");
    mnuToolBax = tick(item(window, "mnuToolBax", "Tool Bax"));
    mnuTaskGroup = tick(item(window, "mnuTaskGroup", "Task Group"));
    mnuLog = tick(item(window, "mnuLog", "Log"));
    mnuStatusBar = tick(item(window, "mnuStatusBar", "StatusBar"));
    mnuLargeIcon = item(window, "mnuLargeIcon", "Large Icon");
    mnuSmallIcon = item(window, "mnuSmallIcon", "Small Icon");
    mnuList = item(window, "mnuList", "List");
    mnuDetailed = item(window, "mnuDetailed", "Detailed");
    styleGroup(window, {mnuLargeIcon, mnuSmallIcon, mnuList, mnuDetailed});
    mnuDetailed->setChecked(true);
    mnuView->addActions({mnuToolBax, mnuTaskGroup, mnuLog, mnuStatusBar});
    mnuView->addSeparator();
    mnuView->addActions({mnuLargeIcon, mnuSmallIcon, mnuList, mnuDetailed});

    mnuLanguage = menu(MainMnu, "mnuLanguage", "&Language");
    mnuLanguage->menuAction()->setStatusTip(QStringLiteral("Offers commands customizing the soft language"));

    mnuManage = menu(MainMnu, "mnuManage", " &Manager");
    mnuServerMan = item(window, "mnuServerMan", "&Server Manager");
    mnuDictMan = item(window, "mnuDictMan", "&Dictionary Manager");
    mnuManage->addAction(mnuServerMan);
    mnuManage->addSeparator();
    mnuManage->addAction(mnuDictMan);

    mnuAction = menu(MainMnu, "mnuAction", "&Action");
    mnuRun = item(window, "mnuRun", "&Run/Resume");
    mnuRun->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    mnuSuspend = item(window, "mnuSuspend", "&Suspend", QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuStop = item(window, "mnuStop", "&Stop", QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuAction->addActions({mnuRun, mnuSuspend, mnuStop});
    mnuTaskDuplicate = item(window, "mnuTaskDuplicate", "D&uplicate Task");
    mnuAction->addSeparator();
    mnuAction->addAction(mnuTaskDuplicate);
    mnuRunHistory = item(window, "mnuRunHistory", "Run &History");
    mnuAction->addAction(mnuRunHistory);

    mnuOption1 = menu(MainMnu, "mnuOption1", "Option");
    mnuOption = item(window, "mnuOption", "&Option...");
    mnuOption1->addAction(mnuOption);

    mnuHelp = menu(MainMnu, "mnuHelp", "&Help");
    mnuContent = item(window, "mnuContent", "&Content", QKeySequence(Qt::Key_F1));
    mnuAbout = item(window, "mnuAbout", "&About...");
    mnuHomepage = item(window, "mnuHomepage", "&Homepage");
    mnuHelp->addActions({mnuContent, mnuAbout});
    mnuHelp->addSeparator();
    mnuHelp->addAction(mnuHomepage);
    mnuLoadExamples = item(window, "mnuLoadExamples", "Load Example Tasks");
    mnuHelp->addSeparator();
    mnuHelp->addAction(mnuLoadExamples);

    for (QMenu *each : {mnuFile, mnuView, mnuLanguage, mnuManage, mnuAction, mnuOption1, mnuHelp})
        MainMnu->addMenu(each);
    // The shortcuts work while the menu bar is closed.
    window->addActions(window->findChildren<QAction *>(Qt::FindDirectChildrenOnly));

    // Context menus.
    pmuTaskGroup = menu(window, "pmuTaskGroup", "");
    pmuGroupAdd = item(pmuTaskGroup, "pmuGroupAdd", "&Add Task Group");
    pmuGroupRen = item(pmuTaskGroup, "pmuGroupRen", "&Rename Task Group");
    pmuGroupDel = item(pmuTaskGroup, "pmuGroupDel", "Delete Task Group");
    pmuHideGroup = item(pmuTaskGroup, "pmuHideGroup", "Hide Task &Group List");
    pmuTaskGroup->addActions({pmuGroupAdd, pmuGroupRen, pmuGroupDel});
    pmuTaskGroup->addSeparator();
    pmuTaskGroup->addAction(pmuHideGroup);

    pmuTask = menu(window, "pmuTask", "");
    pmuTaskNew = item(pmuTask, "pmuTaskNew", "&New Task");
    pmuTaskEdit = item(pmuTask, "pmuTaskEdit", "&Edit Task");
    pmuTaskDel = item(pmuTask, "pmuTaskDel", "Delete Task");
    pmuTaskView = item(pmuTask, "pmuTaskView", "&View Task");
    pmuRun = item(pmuTask, "pmuRun", "&Run/Resume");
    pmuSuspend = item(pmuTask, "pmuSuspend", "&Suspend");
    pmuStop = item(pmuTask, "pmuStop", "&Stop");
    pmuView = menu(pmuTask, "pmuView", "View");
    pmuLargleIcon = item(pmuView, "pmuLargleIcon", "Large Icon");
    pmuSmallIcon = item(pmuView, "pmuSmallIcon", "Small Icon");
    pmuList = item(pmuView, "pmuList", "List");
    pmuDetailed = item(pmuView, "pmuDetailed", "Detailed");
    styleGroup(pmuView, {pmuLargleIcon, pmuSmallIcon, pmuList, pmuDetailed});
    pmuDetailed->setChecked(true);
    pmuView->addActions({pmuLargleIcon, pmuSmallIcon, pmuList, pmuDetailed});
    pmuTask->addActions({pmuTaskNew, pmuTaskEdit, pmuTaskDel, pmuTaskView});
    pmuTask->addSeparator();
    pmuTask->addActions({pmuRun, pmuSuspend, pmuStop});
    pmuTaskDuplicate = item(pmuTask, "pmuTaskDuplicate", "D&uplicate Task");
    pmuMoveToGroup = menu(pmuTask, "pmuMoveToGroup", "&Move to Group");
    pmuCopyCommandLine = item(pmuTask, "pmuCopyCommandLine", "Copy &Command Line");
    pmuTask->addSeparator();
    pmuTask->addAction(pmuTaskDuplicate);
    pmuTask->addMenu(pmuMoveToGroup);
    pmuTask->addAction(pmuCopyCommandLine);
    pmuTask->addSeparator();
    pmuTask->addMenu(pmuView);

    pmuLog = menu(window, "pmuLog", "");
    pmuSaveAs = item(pmuLog, "pmuSaveAs", "&Save As...");
    pmuClear = item(pmuLog, "pmuClear", "&Clear");
    pmuFind = item(pmuLog, "pmuFind", "&Find");
    pmuBrowseLog = item(pmuLog, "pmuBrowseLog", "&View Folder");
    pmuHideLog = item(pmuLog, "pmuHideLog", "Log Folder");
    pmuLog->addActions({pmuSaveAs, pmuClear, pmuFind, pmuBrowseLog});
    pmuLog->addSeparator();
    pmuLog->addAction(pmuHideLog);

    pmuTary = menu(window, "pmuTary", "");
    pmuAbout = item(pmuTary, "pmuAbout", "&About...");
    pmuShowForm = item(pmuTary, "pmuShowForm", "&Show");
    pmuHideForm = item(pmuTary, "pmuHideForm", "&Hide");
    pmuExit = item(pmuTary, "pmuExit", "&Exit");
    pmuTary->addAction(pmuAbout);
    pmuTary->addSeparator();
    pmuTary->addActions({pmuShowForm, pmuHideForm});
    pmuTary->addSeparator();
    pmuTary->addAction(pmuExit);

    // Toolbar: five groups of flat buttons.
    auto *central = new QWidget(window);
    central->setObjectName(QStringLiteral("PanelMain"));
    window->setCentralWidget(central);
    PanelToolBax = new QWidget(central);
    PanelToolBax->setObjectName(QStringLiteral("PanelToolBax"));
    auto *tools = new QHBoxLayout(PanelToolBax);
    tools->setContentsMargins(4, 2, 4, 2);
    tools->setSpacing(1);
    using T = ShellIcons;
    spbtnGroupAdd =
        toolButton(PanelToolBax, "spbtnGroupAdd", T::GroupAdd, QStringLiteral("Add  Group | Add a task group"));
    spbtnGroupRen =
        toolButton(PanelToolBax, "spbtnGroupRen", T::GroupRename, QStringLiteral("Rename  Group | Rename  task group"));
    spbtnGroupDel = toolButton(PanelToolBax, "spbtnGroupDel", T::GroupDelete,
                               QStringLiteral("Delete Group | Delete the selected task group"));
    spbtnRun =
        toolButton(PanelToolBax, "spbtnRun", T::Run, QStringLiteral("Execute | Execute selected synchronize task"));
    spbtnSuspend =
        toolButton(PanelToolBax, "spbtnSuspend", T::Suspend, QStringLiteral("Suspend | Suspend  synchronize"));
    spbtnStop = toolButton(PanelToolBax, "spbtnStop", T::Stop, QStringLiteral("Stop | Stop  synchronize"));
    spbtnTaskAdd = toolButton(PanelToolBax, "spbtnTaskAdd", T::TaskAdd, QStringLiteral("Create | Creat a new task"));
    spbtnTaskEdit = toolButton(PanelToolBax, "spbtnTaskEdit", T::TaskEdit,
                               QStringLiteral("Edit | Display the proparies of the selected task"));
    spbtnTaskDel =
        toolButton(PanelToolBax, "spbtnTaskDel", T::TaskDelete, QStringLiteral("Delete | Delete selected task"));
    spbtnTaskView =
        toolButton(PanelToolBax, "spbtnTaskView", T::TaskView, QStringLiteral("View | View the selected Task"));
    spbtnOption =
        toolButton(PanelToolBax, "spbtnOption", T::Options, QStringLiteral("Options | Display program options"));
    spbtnHelp = toolButton(PanelToolBax, "spbtnHelp", T::Help, QStringLiteral("Help | Open help contents window "));
    spbtnAbout = toolButton(PanelToolBax, "spbtnAbout", T::About,
                            QStringLiteral("About | Display information ,version number and copyright"));
    spbtnHomepage = toolButton(PanelToolBax, "spbtnHomepage", T::Homepage,
                               QStringLiteral("Pellion Homepage |  ") + product::kHomePage);
    const QList<QList<QToolButton *>> groups = {{spbtnGroupAdd, spbtnGroupRen, spbtnGroupDel},
                                                {spbtnRun, spbtnSuspend, spbtnStop},
                                                {spbtnTaskAdd, spbtnTaskEdit, spbtnTaskDel, spbtnTaskView},
                                                {spbtnOption},
                                                {spbtnHelp, spbtnAbout, spbtnHomepage}};
    for (qsizetype g = 0; g < groups.size(); ++g) {
        if (g > 0)
            tools->addWidget(divider(PanelToolBax));
        for (QToolButton *button : groups[g])
            tools->addWidget(button);
    }
    tools->addStretch();

    // Group tree on the left of the task list.
    Splitter1 = new QSplitter(Qt::Vertical, central);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    Splitter2 = new QSplitter(Qt::Horizontal, Splitter1);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setChildrenCollapsible(false);
    PanelGroup = new QWidget(Splitter2);
    PanelGroup->setObjectName(QStringLiteral("PanelGroup"));
    auto *groupLayout = new QVBoxLayout(PanelGroup);
    groupLayout->setContentsMargins(0, 0, 0, 0);
    treTaskGroup = new QTreeWidget(PanelGroup);
    treTaskGroup->setObjectName(QStringLiteral("treTaskGroup"));
    treTaskGroup->setHeaderHidden(true);
    treTaskGroup->setColumnCount(1);
    treTaskGroup->setEditTriggers(QAbstractItemView::NoEditTriggers);
    treTaskGroup->setSelectionMode(QAbstractItemView::SingleSelection);
    treTaskGroup->setContextMenuPolicy(Qt::CustomContextMenu);
    treTaskGroup->setIconSize(QSize(16, 16));
    groupLayout->addWidget(treTaskGroup);
    lvwTask = new TaskListView(Splitter2);
    Splitter2->addWidget(PanelGroup);
    Splitter2->addWidget(lvwTask);
    Splitter2->setStretchFactor(1, 1);
    Splitter2->setSizes({180, 560});

    // Log pane below the list.
    PanelLog = new QWidget(Splitter1);
    PanelLog->setObjectName(QStringLiteral("PanelLog"));
    auto *logLayout = new QVBoxLayout(PanelLog);
    logLayout->setContentsMargins(0, 0, 0, 0);
    logLayout->setSpacing(0);
    auto *logBar = new QHBoxLayout;
    logBar->setContentsMargins(2, 1, 2, 1);
    logBar->setSpacing(2);
    spbtnSave = logButton(PanelLog, "spbtnSave", T::SaveAs, "Save As");
    spbtnClear = logButton(PanelLog, "spbtnClear", T::Clear, "Clear");
    spbtnFind = logButton(PanelLog, "spbtnFind", T::Find, "Find");
    spbtnBrowseLog = logButton(PanelLog, "spbtnBrowseLog", T::BrowseLog, "Browse Log Folder");
    for (QToolButton *button : {spbtnSave, spbtnClear, spbtnFind, spbtnBrowseLog})
        logBar->addWidget(button);
    logBar->addStretch();
    logLayout->addLayout(logBar);
    PageCtrlLog = new execution::PageCtrlLog(PanelLog);
    PageCtrlLog->setObjectName(QStringLiteral("PageCtrlLog"));
    logLayout->addWidget(PageCtrlLog);
    Splitter1->addWidget(Splitter2);
    Splitter1->addWidget(PanelLog);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setSizes({300, 220});

    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PanelToolBax);
    auto *line = new QFrame(central);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
    layout->addWidget(Splitter1, 1);

    // Status bar: task count, running count, hints.
    StatusBar = new QStatusBar(window);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(true);
    window->setStatusBar(StatusBar);
    StatusPanel1 = panel(StatusBar, "StatusPanel1", 100);
    StatusPanel2 = panel(StatusBar, "StatusPanel2", 150);
    StatusPanel3 = panel(StatusBar, "StatusPanel3", 0);
    StatusPanel3->setMinimumWidth(50);
    StatusBar->addPermanentWidget(StatusPanel1);
    StatusBar->addPermanentWidget(StatusPanel2);
    StatusBar->addPermanentWidget(StatusPanel3, 1);
}

} // namespace shell
