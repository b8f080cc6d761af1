#include "shell/ViewCommands.h"

#include "shell/ShellIcons.h"
#include "shell/TaskListView.h"
#include "shell/TfrmMainUi.h"

#include <QAction>
#include <QApplication>
#include <QStatusBar>

namespace shell {

namespace {
// Shows or hides `panel` and ticks its menu item to match.
void toggle(QWidget *panel, QAction *item)
{
    const bool show = !panel->isVisible();
    panel->setVisible(show);
    item->setChecked(show);
}
} // namespace

void ViewCommands::toolBarClick()
{
    toggle(m_ui.PanelToolBax, m_ui.mnuToolBax);
}

void ViewCommands::groupTreeClick()
{
    // pmuHideGroup follows the View menu's tick.
    toggle(m_ui.PanelGroup, m_ui.mnuTaskGroup);
}

void ViewCommands::logPaneClick()
{
    toggle(m_ui.PanelLog, m_ui.mnuLog); // the splitter gives the list the room, and takes it back
}

void ViewCommands::statusBarClick()
{
    toggle(m_ui.StatusBar, m_ui.mnuStatusBar);
}

void ViewCommands::setListStyle(int style)
{
    m_ui.lvwTask->setStyle(TaskListView::Style(style));
    const QList<QAction *> menuItems = {m_ui.mnuLargeIcon, m_ui.mnuSmallIcon, m_ui.mnuList, m_ui.mnuDetailed};
    const QList<QAction *> popupItems = {m_ui.pmuLargleIcon, m_ui.pmuSmallIcon, m_ui.pmuList, m_ui.pmuDetailed};
    menuItems.at(style)->setChecked(true);
    popupItems.at(style)->setChecked(true);
}

void ViewCommands::headingClick(int column)
{
    if (column < 0 || column >= TaskListView::kColumns || column == TaskListView::kHiddenColumn)
        return; // the hidden fifth column has no comparison
    const bool ascending = m_order.headerClicked(column);
    for (int each = 0; each < TaskListView::kColumns; ++each) {
        const TaskListOrder::Mark mark = m_order.mark(each);
        m_ui.lvwTask->setHeadingIcon(
            each,
            mark == TaskListOrder::Mark::None
                ? QIcon()
                : ShellIcons::picture(mark == TaskListOrder::Mark::Up ? ShellIcons::MarkUp : ShellIcons::MarkDown));
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_ui.lvwTask->sortBy(column, ascending);
    QApplication::restoreOverrideCursor();
}

} // namespace shell
