#include "runner/ConsoleRunLog.h"

namespace runner {

class ConsoleRunLog::Page : public execution::RunPage {
public:
    Page(QTextStream &out, bool quiet) : m_out(out), m_quiet(quiet) {}
    void appendLines(const QList<execution::ClientLine> &lines) override
    {
        for (const execution::ClientLine &line : lines) {
            received << line.text;
            if (!m_quiet)
                m_out << "  " << line.text << '\n';
        }
        m_out.flush();
    }

    QStringList received;

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
    m_finished.reset();
    return m_page.get();
}

void ConsoleRunLog::finishRunPage(execution::RunPage *, const QStringList &lines)
{
    m_finished = lines;
}

QStringList ConsoleRunLog::lastRunLines() const
{
    if (m_finished)
        return *m_finished;
    return m_page ? m_page->received : QStringList();
}

} // namespace runner
