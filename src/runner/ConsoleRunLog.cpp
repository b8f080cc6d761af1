#include "runner/ConsoleRunLog.h"

namespace runner {

class ConsoleRunLog::Page : public execution::RunPage {
public:
    Page(QTextStream &out, bool quiet) : m_out(out), m_quiet(quiet) {}
    void appendLines(const QList<execution::ClientLine> &lines) override
    {
        if (m_quiet)
            return;
        for (const execution::ClientLine &line : lines)
            m_out << "  " << line.text << '\n';
        m_out.flush();
    }

private:
    QTextStream &m_out;
    bool m_quiet;
};

ConsoleRunLog::ConsoleRunLog(QTextStream &out, bool quiet) : m_out(out), m_quiet(quiet)
{
}

ConsoleRunLog::~ConsoleRunLog() = default;

execution::RunPage *ConsoleRunLog::openRunPage(const QString &, const execution::Settings &)
{
    m_page = std::make_unique<Page>(m_out, m_quiet);
    m_finished.clear();
    return m_page.get();
}

void ConsoleRunLog::finishRunPage(execution::RunPage *, const QStringList &lines)
{
    m_finished = lines;
}

} // namespace runner
