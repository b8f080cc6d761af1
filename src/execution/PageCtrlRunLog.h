#pragma once

#include "execution/RunLogView.h"

#include <QObject>

#include <memory>
#include <vector>

namespace execution {

class PageCtrlLog;

// The runs' log shown in the log pages: a run's page is an "Active Log" tab of its own.
// A child of the pages, so that it lives as long as they do.
class PageCtrlRunLog : public QObject, public RunLogView {
    Q_OBJECT
public:
    explicit PageCtrlRunLog(PageCtrlLog *pages);
    ~PageCtrlRunLog() override;

    RunPage *openRunPage(const QString &taskName, const Settings &settings) override;
    void finishRunPage(RunPage *page, const QStringList &lines) override;

private:
    class PanePage;
    PageCtrlLog *m_pages;
    std::vector<std::unique_ptr<PanePage>> m_open; // pages of runs not finished
};

} // namespace execution
