#pragma once

#include "execution/RunLogView.h"

#include <QStringList>
#include <QTextStream>

#include <memory>
#include <optional>

namespace runner {

// The run log of a run without a window: the client's lines go to standard output as
// they come (unless quiet) and are kept for the reports.
class ConsoleRunLog : public execution::RunLogView {
public:
    ConsoleRunLog(QTextStream &out, bool quiet);
    ~ConsoleRunLog() override;

    execution::RunPage *openRunPage(const QString &taskName, const execution::Settings &settings) override;
    void finishRunPage(execution::RunPage *page, const QStringList &lines) override;

    // The lines of the last run: all of them once it finished, else those its page got
    // (a run that ended on an error).
    QStringList lastRunLines() const;

private:
    class Page;
    QTextStream &m_out;
    bool m_quiet;
    std::unique_ptr<Page> m_page;
    std::optional<QStringList> m_finished;
};

} // namespace runner
