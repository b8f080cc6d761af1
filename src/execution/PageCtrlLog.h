#pragma once

#include "execution/LogColors.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTabWidget>

#include <deque>

namespace execution {

class LogPane;

// The log pages (tabs at the bottom): "All Log" (TabSheetLog holding the common pane
// RichEditLog, never closed) and one "Active Log [name]" page per run. Used on the
// user-interface thread only.
class PageCtrlLog : public QTabWidget {
    Q_OBJECT
public:
    explicit PageCtrlLog(QWidget *parent = nullptr);

    LogPane *allLog() const { return m_allLog; }      // RichEditLog
    QWidget *allLogPage() const { return m_allPage; } // TabSheetLog
    bool isAllLogActive() const { return currentWidget() == m_allPage; }
    // The caption of the pages opened from now on, %1 standing for the task's name.
    void setRunPageCaption(const QString &caption) { m_runPageCaption = caption; }

    // Appends the run's page, makes it active and lets pending events run.
    LogPane *openRunPage(const QString &taskName);
    // Frees the run's pane and its page.
    void closeRunPage(LogPane *pane);

    // Appends a finished run's lines to "All Log", each in the colour of its class as
    // ClassifyLine finds it again. Blocks of several runs never mix; long blocks go in
    // slices so the window keeps answering.
    void copyToAllLog(const QStringList &lines, const LogColors &colors);
    // Lines given to copyToAllLog that are not in the pane yet.
    qsizetype pendingAllLogLines() const;

    // Opens the folder "Log" beside the program in the desktop's file browser.
    static void browseLogFolder();

private:
    void appendPendingSlice();

    QWidget *m_allPage = nullptr;
    LogPane *m_allLog = nullptr;
    QString m_runPageCaption = QStringLiteral("Active Log [%1]");
    struct Pending {
        QStringList lines;
        LogColors colors;
        qsizetype next = 0;
    };
    std::deque<Pending> m_pending;
    bool m_sliceScheduled = false;
};

} // namespace execution
