#pragma once

#include "execution/RunLogView.h"

#include <QStringList>
#include <QTextStream>

#include <memory>

namespace runner {

// The run log of a run without a window: the client's lines go to standard output as
// they come (unless quiet) and are kept for the reports.
class ConsoleRunLog : public execution::RunLogView {
public:
    ConsoleRunLog(QTextStream &out, bool quiet);
    ~ConsoleRunLog() override;

    execution::RunPage *openRunPage(const QString &taskName, const execution::Settings &settings) override;
    void finishRunPage(execution::RunPage *page, const QStringList &lines) override;

    // The lines of the last finished run.
    const QStringList &finishedLines() const { return m_finished; }

private:
    class Page;
    QTextStream &m_out;
    bool m_quiet;
    std::unique_ptr<Page> m_page;
    QStringList m_finished;
};

} // namespace runner
