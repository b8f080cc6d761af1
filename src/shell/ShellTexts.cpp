#include "shell/ShellTexts.h"

namespace shell::texts {

namespace {
using platform::TextEntry;

constexpr TextEntry kMainWindow[] = {
    {"LogCmd", "spbtnSaveAs.Caption", "Save As", "spbtnSave"},
    {"LogCmd", "spbtnClear.Caption", "Clear"},
    {"LogCmd", "spbtnFind.Caption", "Find"},
    {"LogCmd", "spbtnBrowseLog.Caption", "Browse Log Folder"},

    {"Menu", "mnuFile.Caption", "&File"},
    {"Menu", "mnuTaskNew.Caption", "New Task"},
    {"Menu", "mnuTaskEdt.Caption", "Edit Task", "mnuTaskEdit"},
    {"Menu", "mnuTaskDel.Caption", "Delete Task"},
    {"Menu", "mnuGroupNew.Caption", "Add Task Group"},
    {"Menu", "mnuGroupRen.Caption", "Rename Task Group"},
    {"Menu", "mnuGroupDel.Caption", "Remove Task Group"},
    {"Menu", "mnuExit.Caption", "Exit"},
    {"Menu", "mnuView.Caption", "&View"},
    {"Menu", "mnuToolBax.Caption", "Tool Bax"},
    {"Menu", "mnuTaskGroup.Caption", "Task Group"},
    {"Menu", "mnuLog.Caption", "Log"},
    {"Menu", "mnuStatusBar.Caption", "StatusBar"},
    {"Menu", "mnuLargeIcon.Caption", "Large Icon"},
    {"Menu", "mnuSmallIcon.Caption", "Small Icon"},
    {"Menu", "mnuList.Caption", "List"},
    {"Menu", "mnuDetailed.Caption", "Detailed"},
    {"Menu", "mnuManage.Caption", " &Manager"},
    {"Menu", "mnuServerMan.Caption", "&Server Manager"},
    {"Menu", "mnuDictMan.Caption", "&Dictionary Manager"},
    {"Menu", "mnuAction.Caption", "&Action"},
    {"Menu", "mnuRun.Caption", "&Run/Resume"},
    {"Menu", "mnuSuspend.Caption", "&Suspend"},
    {"Menu", "mnuStop.Caption", "&Stop"},
    {"Menu", "mnuTaskDuplicate.Caption", "D&uplicate Task"},
    {"Menu", "mnuRunHistory.Caption", "Run &History"},

    {"Menu", "mnuCheckSecurity.Caption", "Check Server Security"},
    {"Menu", "mnuOption1.Caption", "Option"},
    {"Menu", "mnuOption.Caption", "&Option..."},
    {"Menu", "mnuHelp.Caption", "&Help"},
    {"Menu", "mnuContent.Caption", "&Content"},
    {"Menu", "mnuAbout.Caption", "&About..."},
    {"Menu", "mnuHomepage.Caption", "&Homepage"},
    {"Menu", "mnuLoadExamples.Caption", "Load Example Tasks"},
    {"Menu", "mnuLanguage.Caption", "&Language"},
    {"Menu", "mnuTaskView.Caption", "&View Task"},

    {"Menu", "mnuGroupExport.Caption", "Export Group..."},
    {"Menu", "mnuGroupImport.Caption", "Import Group..."},

    {"Menu", "mnuTools.Caption", "&Tools"},
    {"Menu", "mnuDecodePacket.Caption", "Decode Packet"},

    {"PopupMenu1", "pmuGroupAdd.Caption", "&Add Task Group"},
    {"PopupMenu1", "pmuGroupRen.Caption", "&Rename Task Group"},
    {"PopupMenu1", "pmuGroupDel.Caption", "Delete Task Group"},
    {"PopupMenu1", "pmuHideGroup.Caption", "Hide Task &Group List"},
    {"PopupMenu2", "pmuTaskNew.Caption", "&New Task"},
    {"PopupMenu2", "mnuTaskEdit.Caption", "&Edit Task", "pmuTaskEdit"},
    {"PopupMenu2", "pmuTaskDel.Caption", "Delete Task"},
    {"PopupMenu2", "pmuView.Caption", "View"},
    {"PopupMenu2", "pmuLargeIcon.Caption", "Large Icon", "pmuLargleIcon"},
    {"PopupMenu2", "pmuSmallIcon.Caption", "Small Icon"},
    {"PopupMenu2", "pmuList.Caption", "List"},
    {"PopupMenu2", "pmuDetailed.Caption", "Detailed"},
    {"PopupMenu2", "pmuRun.Caption", "&Run/Resume"},
    {"PopupMenu2", "pmuSuspend.Caption", "&Suspend"},
    {"PopupMenu2", "pmuStop.Caption", "&Stop"},
    {"PopupMenu2", "pmuTaskDuplicate.Caption", "D&uplicate Task"},
    {"PopupMenu2", "pmuMoveToGroup.Caption", "&Move to Group"},
    {"PopupMenu2", "pmuCopyCommandLine.Caption", "Copy &Command Line"},
    {"PopupMenu2", "pmuTaskView.Caption", "&View Task"},
    {"PopupMenu3", "pmuSaveAs.Caption", "&Save As..."},
    {"PopupMenu3", "pmuClear.Caption", "&Clear"},
    {"PopupMenu3", "pmuFind.Caption", "&Find"},
    {"PopupMenu3", "pmuBrowseLog.Caption", "&View Folder"},
    {"PopupMenu3", "pmuHideLog.Caption", "Log Folder"},
    {"PopupMemu4", "pmuAbout.Caption", "&About..."},
    {"PopupMemu4", "pmuShowForm.Caption", "&Show"},
    {"PopupMemu4", "pmuHideForm.Caption", "&Hide"},
    {"PopupMemu4", "pmuExit.Caption", "&Exit"},
};

constexpr TextEntry kTaskListHeadings[] = {
    {"lvwTask_Column", "Column1.Caption", "Task Name", "lvwTask"},
    {"lvwTask_Column", "Column2.Caption", "Last Run Time", "lvwTask"},
    {"lvwTask_Column", "Column3.Caption", "Next Run Time", "lvwTask"},
    {"lvwTask_Column", "Column4.Caption", "Server IP", "lvwTask"},
};

constexpr TextEntry kGroupDialog[] = {
    {"frmGroup", "Title", "Task Group Property"},
    {"frmGroup", "lblGroupName.Caption", "Group Name"},
    {"Dialog_Common", "btnOK.Caption", "OK", "spbtnOK"},
    {"Dialog_Common", "btnCancel.Caption", "Cancel", "spbtnCancel"},
};

constexpr TextEntry kOptionDialog[] = {
    {"frmOption", "Title", "Options"},
    {"frmOption", "TabSheet1.Caption", "Startup and Shutdown"},
    {"frmOption", "TabSheet2.Caption", "Log"},
    {"frmOption", "TabSheet4.Caption", "Thread Priority"},
    {"frmOption", "chkDefault.Caption", "Default"},
    {"frmOption", "GroupBoxStartup.Caption", "Startup"},
    {"frmOption", "chkMin.Caption", "Minimized"},
    {"frmOption", "chkHide.Caption", "Hide icon from system tray"},
    {"frmOption", "chkDisplaySplash.Caption", "Display splash screen"},
    {"frmOption", "RadioGroupClose.Caption", "Shutdown"},
    {"frmOption", "lblLogFileName.Caption", "Log file name:"},
    {"frmOption", "lblMaxSize.Caption", "Maximum log file size:"},
    {"frmOption", "lblDescription.Caption", ""},
    {"frmOption", "RadioGroupPRI.Caption", "Synchronize Thread Priority"},
    {"frmOption", "GroupBoxColor.Caption", "Log Color Setting"},
    {"frmOption", "lblSummaryClr.Caption", "Summary:"},
    {"frmOption", "lblInfoClr.Caption", "Info:"},
    {"frmOption", "lblWarningClr.Caption", "Warning:"},
    {"frmOption", "lblErrorClr.Caption", "Error:"},
    {"frmOption", "RadioGroupPRI.Item1", "Idle", "RadioGroupPRIItem1"},
    {"frmOption", "RadioGroupPRI.Item2", "Lowest", "RadioGroupPRIItem2"},
    {"frmOption", "RadioGroupPRI.Item3", "Lower", "RadioGroupPRIItem3"},
    {"frmOption", "RadioGroupPRI.Item4", "Normal", "RadioGroupPRIItem4"},
    {"frmOption", "RadioGroupPRI.Item5", "Higher", "RadioGroupPRIItem5"},
    {"frmOption", "RadioGroupPRI.Item6", "Highest", "RadioGroupPRIItem6"},
    {"frmOption", "RadioGroupPRI.Item7", "Real Time", "RadioGroupPRIItem7"},
    {"Dialog_Common", "btnOK.Caption", "OK", "BitBtnOK"},
    {"Dialog_Common", "btnCancel.Caption", "Cancel", "BitBtnCancel"},
};

constexpr TextEntry kCloseChoices[] = {
    {"frmOption", "RadioGroupClose.Item1", "Shotdown when main window is closed", "RadioGroupClose"},
    {"frmOption", "RadioGroupClose.Item2", "Show shutdown confirmation dialog", "RadioGroupClose"},
    {"frmOption", "RadioGroupClose.Item3", "Minimized when main window is closed", "RadioGroupClose"},
};

constexpr TextEntry kAboutBox[] = {
    {"frmAbout", "Title", "About Pellion"},
    {"Dialog_Common", "btnOK.Caption", "OK"},
};
} // namespace

std::span<const platform::TextEntry> mainWindow()
{
    return kMainWindow;
}
std::span<const platform::TextEntry> taskListHeadings()
{
    return kTaskListHeadings;
}
std::span<const platform::TextEntry> groupDialog()
{
    return kGroupDialog;
}
std::span<const platform::TextEntry> optionDialog()
{
    return kOptionDialog;
}
std::span<const platform::TextEntry> closeChoices()
{
    return kCloseChoices;
}
std::span<const platform::TextEntry> aboutBox()
{
    return kAboutBox;
}

} // namespace shell::texts
