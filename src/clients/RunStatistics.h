#pragma once

#include <string>
#include <vector>

namespace clients {

// How one request (or one EAP authentication) ended.
enum class Outcome { Approved, Denied, OtherReply, Lost, Failed };

// Counts and response times of a run, and its summary lines.
class RunStatistics {
public:
    void started() { ++m_sent; }
    void exchanged() { ++m_exchanges; }
    void finished(Outcome outcome);
    void responseTime(double milliseconds) { m_times.push_back(milliseconds); }

    int sent() const { return m_sent; }
    int count(Outcome outcome) const;
    // Lines that each contain "Total". withExchanges adds the count of RADIUS exchanges.
    std::vector<std::string> summaryLines(double elapsedSeconds, bool withExchanges) const;

    // Reply codes that approve and that deny a request.
    static Outcome outcomeOfReply(int replyCode);

private:
    int m_sent = 0;
    int m_exchanges = 0;
    int m_counts[5] = {};
    std::vector<double> m_times;
};

} // namespace clients
