#pragma once

#include <QString>

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QMenuBar;
class QSplitter;
class QStatusBar;
class QToolButton;
class QTreeWidget;
class QWidget;

namespace execution {
class PageCtrlLog;
}

namespace shell {

class TaskListView;

// Shows a hint "short | long" on a tool button: the short part as its tool tip, the long
// part in the status bar.
void setHint(QToolButton &button, const QString &hint);

// The main window's controls, named as the language files and tests know them. Made in
// code, as a designer file would make them; TfrmMain gives them their behaviour.
struct TfrmMainUi {
    void setup(QMainWindow *window);

    // Menu bar and its menus.
    QMenuBar *MainMnu;
    QMenu *mnuFile, *mnuView, *mnuLanguage, *mnuManage, *mnuAction, *mnuOption1, *mnuHelp;
    QAction *mnuTaskNew, *mnuTaskEdit, *mnuTaskDel, *mnuTaskView;
    QAction *mnuGroupNew, *mnuGroupRen, *mnuGroupDel, *mnuExit;
    QAction *mnuToolBax, *mnuTaskGroup, *mnuLog, *mnuStatusBar;
    QAction *mnuLargeIcon, *mnuSmallIcon, *mnuList, *mnuDetailed;
    QAction *mnuServerMan, *mnuDictMan;
    QAction *mnuRun, *mnuSuspend, *mnuStop;
    QAction *mnuOption, *mnuContent, *mnuAbout, *mnuHomepage;
    QAction *mnuLoadExamples;
    QAction *mnuTaskDuplicate;
    QAction *mnuRunHistory;

    // Context menus.
    QMenu *pmuTaskGroup;
    QAction *pmuGroupAdd, *pmuGroupRen, *pmuGroupDel, *pmuHideGroup;
    QMenu *pmuTask, *pmuView;
    QAction *pmuTaskNew, *pmuTaskEdit, *pmuTaskDel, *pmuTaskView, *pmuRun, *pmuSuspend, *pmuStop;
    QAction *pmuLargleIcon, *pmuSmallIcon, *pmuList, *pmuDetailed;
    QAction *pmuTaskDuplicate, *pmuCopyCommandLine;
    QMenu *pmuMoveToGroup; // filled with the groups as it opens
    QMenu *pmuLog;
    QAction *pmuSaveAs, *pmuClear, *pmuFind, *pmuBrowseLog, *pmuHideLog;
    QMenu *pmuTary;
    QAction *pmuAbout, *pmuShowForm, *pmuHideForm, *pmuExit;

    // Toolbar.
    QWidget *PanelToolBax;
    QToolButton *spbtnGroupAdd, *spbtnGroupRen, *spbtnGroupDel;
    QToolButton *spbtnRun, *spbtnSuspend, *spbtnStop;
    QToolButton *spbtnTaskAdd, *spbtnTaskEdit, *spbtnTaskDel, *spbtnTaskView;
    QToolButton *spbtnOption, *spbtnHelp, *spbtnAbout, *spbtnHomepage;

    // Group tree, task list, log pane, status bar.
    QSplitter *Splitter1; // list above, log pane below
    QSplitter *Splitter2; // group tree left, list right
    QWidget *PanelGroup;
    QTreeWidget *treTaskGroup;
    TaskListView *lvwTask;
    QWidget *PanelLog;
    QToolButton *spbtnSave, *spbtnClear, *spbtnFind, *spbtnBrowseLog;
    execution::PageCtrlLog *PageCtrlLog;
    QStatusBar *StatusBar;
    QLabel *StatusPanel1, *StatusPanel2, *StatusPanel3;
};

} // namespace shell
