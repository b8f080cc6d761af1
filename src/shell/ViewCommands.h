#pragma once

#include "shell/TaskListOrder.h"

namespace shell {

struct TfrmMainUi;

// The View menu: the toolbar, group tree, log pane and status bar shown or hidden, the
// list's style, and the list sorted by a clicked heading.
class ViewCommands {
public:
    explicit ViewCommands(const TfrmMainUi &ui) : m_ui(ui) {}

    void toolBarClick();
    void groupTreeClick();
    void logPaneClick();
    void statusBarClick();
    // `style` is a TaskListView::Style.
    void setListStyle(int style);
    void headingClick(int column);
    const TaskListOrder &order() const { return m_order; }

private:
    const TfrmMainUi &m_ui;
    TaskListOrder m_order;
};

} // namespace shell
