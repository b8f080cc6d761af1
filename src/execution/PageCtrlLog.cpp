#include "execution/PageCtrlLog.h"

#include "execution/LogPane.h"
#include "platform/ProgramDirectory.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace execution {

namespace {
// One slice of a long copy into "All Log" stays well inside a frame, however busy the
// machine: it ends after so many lines or after so long, checked every step of lines.
constexpr qsizetype kSliceLines = 1000;
constexpr qint64 kSliceMs = 8;
constexpr qsizetype kSliceStepLines = 250;

QWidget *pageHolding(LogPane *pane, const QString &pageName)
{
    auto *page = new QWidget;
    page->setObjectName(pageName);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pane);
    return page;
}
} // namespace

PageCtrlLog::PageCtrlLog(QWidget *parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("PageCtrlLog"));
    setTabPosition(QTabWidget::South);
    m_allLog = new LogPane;
    m_allLog->setObjectName(QStringLiteral("RichEditLog"));
    m_allPage = pageHolding(m_allLog, QStringLiteral("TabSheetLog"));
    addTab(m_allPage, QStringLiteral("All Log"));
}

LogPane *PageCtrlLog::openRunPage(const QString &taskName)
{
    auto *pane = new LogPane;
    pane->setObjectName(QStringLiteral("RichEditRunLog"));
    QWidget *page = pageHolding(pane, QStringLiteral("TabSheetRunLog"));
    addTab(page, m_runPageCaption.arg(taskName));
    setCurrentWidget(page);
    return pane;
}

void PageCtrlLog::closeRunPage(LogPane *pane)
{
    if (!pane)
        return;
    QWidget *page = pane->parentWidget();
    const int index = indexOf(page);
    if (index > 0) {
        removeTab(index);
        delete page;
    }
}

void PageCtrlLog::copyToAllLog(const QStringList &lines, const LogColors &colors)
{
    if (lines.isEmpty())
        return;
    m_pending.push_back({lines, colors, 0});
    appendPendingSlice();
}

qsizetype PageCtrlLog::pendingAllLogLines() const
{
    qsizetype count = 0;
    for (const Pending &block : m_pending)
        count += block.lines.size() - block.next;
    return count;
}

void PageCtrlLog::appendPendingSlice()
{
    m_sliceScheduled = false;
    QElapsedTimer slice;
    slice.start();
    qsizetype budget = kSliceLines;
    while (budget > 0 && !m_pending.empty() && slice.elapsed() < kSliceMs) {
        Pending &block = m_pending.front();
        const qsizetype end = std::min(block.lines.size(), block.next + std::min(budget, kSliceStepLines));
        QList<ClientLine> step;
        step.reserve(end - block.next);
        for (qsizetype i = block.next; i < end; ++i) {
            const QString &line = block.lines.at(i); // read only: the run may still share them
            step.append({line, ClassifyLine(line)});
        }
        m_allLog->appendLines(step, block.colors);
        // Once the run has let go of its lines, each step frees what it copied: freeing
        // a million lines at the end at once would stall the window.
        if (block.lines.isDetached()) {
            for (qsizetype i = block.next; i < end; ++i)
                block.lines[i] = QString();
        }
        budget -= end - block.next;
        block.next = end;
        if (block.next == block.lines.size())
            m_pending.pop_front();
    }
    if (!m_pending.empty() && !m_sliceScheduled) {
        m_sliceScheduled = true;
        QTimer::singleShot(0, this, &PageCtrlLog::appendPendingSlice);
    }
}

void PageCtrlLog::browseLogFolder()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(platform::ProgramDirectory::filePath(QStringLiteral("Log"))));
}

} // namespace execution
