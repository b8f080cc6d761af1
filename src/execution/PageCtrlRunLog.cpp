#include "execution/PageCtrlRunLog.h"

#include "execution/LogColors.h"
#include "execution/LogPane.h"
#include "execution/PageCtrlLog.h"

#include <algorithm>

namespace execution {

class PageCtrlRunLog::PanePage : public RunPage {
public:
    PanePage(LogPane *pane, const LogColors &colors) : m_pane(pane), m_colors(colors) {}

    void appendLines(const QList<ClientLine> &lines) override { m_pane->appendLines(lines, m_colors); }
    LogPane *pane() const { return m_pane; }
    const LogColors &colors() const { return m_colors; }

private:
    LogPane *m_pane;
    LogColors m_colors; // taken once per run, from its settings snapshot
};

PageCtrlRunLog::PageCtrlRunLog(PageCtrlLog *pages) : QObject(pages), m_pages(pages)
{
}

PageCtrlRunLog::~PageCtrlRunLog() = default;

RunPage *PageCtrlRunLog::openRunPage(const QString &taskName, const Settings &settings)
{
    const LogColors colors = LogColors::from(settings);
    m_open.push_back(std::make_unique<PanePage>(m_pages->openRunPage(taskName), colors));
    return m_open.back().get();
}

void PageCtrlRunLog::finishRunPage(RunPage *page, const QStringList &lines)
{
    const auto found = std::find_if(m_open.begin(), m_open.end(),
                                    [page](const std::unique_ptr<PanePage> &open) { return open.get() == page; });
    if (found == m_open.end())
        return;
    m_pages->copyToAllLog(lines, (*found)->colors());
    m_pages->closeRunPage((*found)->pane());
    m_open.erase(found);
}

} // namespace execution
