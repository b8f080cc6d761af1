#pragma once

#include "shell/FindDialog.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace execution {
class PageCtrlLog;
}

namespace shell {

// The log pane's commands on "All Log": save its lines to a file, clear it, find a text
// in it, and open the log folder.
class LogCommands : public QObject {
    Q_OBJECT
public:
    // The find dialog belongs to `window`.
    LogCommands(execution::PageCtrlLog &pages, QWidget &window);

    void saveAsClick();
    void clearClick();
    void findClick();
    static void browseClick();
    // The find dialog, once Find opened it.
    FindDialog *findDialog() const { return m_findDialog; }

private:
    void findNext(const QString &text);

    execution::PageCtrlLog &m_pages;
    QWidget &m_window;
    QPointer<FindDialog> m_findDialog;
};

} // namespace shell
