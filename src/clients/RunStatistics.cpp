#include "clients/RunStatistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace clients {

namespace {

std::string format(const char *pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof(text), pattern, value);
    return text;
}

// Nearest-rank percentile of sorted values.
double percentile(const std::vector<double> &sorted, double p)
{
    const auto rank = static_cast<std::size_t>(std::ceil(p / 100.0 * static_cast<double>(sorted.size())));
    return sorted[std::min(sorted.size() - 1, rank == 0 ? 0 : rank - 1)];
}

} // namespace

void RunStatistics::finished(Outcome outcome)
{
    ++m_counts[static_cast<int>(outcome)];
}

int RunStatistics::count(Outcome outcome) const
{
    return m_counts[static_cast<int>(outcome)];
}

Outcome RunStatistics::outcomeOfReply(int replyCode)
{
    switch (replyCode) {
    case 2:  // Access-Accept
    case 5:  // Accounting-Response
    case 41: // Disconnect-ACK
    case 44: // CoA-ACK
        return Outcome::Approved;
    case 3:  // Access-Reject
    case 42: // Disconnect-NAK
    case 45: // CoA-NAK
        return Outcome::Denied;
    default: return Outcome::OtherReply;
    }
}

std::vector<std::string> RunStatistics::summaryLines(double elapsedSeconds, bool withExchanges) const
{
    std::vector<std::string> lines;
    lines.push_back("Total sent: " + std::to_string(m_sent));
    if (withExchanges)
        lines.push_back("Total exchanges: " + std::to_string(m_exchanges));
    lines.push_back("Total approved: " + std::to_string(count(Outcome::Approved)));
    lines.push_back("Total denied: " + std::to_string(count(Outcome::Denied)));
    lines.push_back("Total other replies: " + std::to_string(count(Outcome::OtherReply)));
    lines.push_back("Total lost: " + std::to_string(count(Outcome::Lost)));
    lines.push_back("Total failed: " + std::to_string(count(Outcome::Failed)));
    const double rate = elapsedSeconds > 0 ? m_sent / elapsedSeconds : 0;
    lines.push_back("Total time: " + format("%.3f", elapsedSeconds) + " s, " + format("%.1f", rate) + " requests/s");
    if (m_times.empty()) {
        lines.emplace_back("Total response time (ms): no replies");
        return lines;
    }
    std::vector<double> sorted = m_times;
    std::sort(sorted.begin(), sorted.end());
    const double mean = std::accumulate(sorted.begin(), sorted.end(), 0.0) / static_cast<double>(sorted.size());
    lines.push_back("Total response time (ms): min " + format("%.3f", sorted.front()) + ", mean " + format("%.3f", mean)
                    + ", p50 " + format("%.3f", percentile(sorted, 50)) + ", p95 "
                    + format("%.3f", percentile(sorted, 95)) + ", p99 " + format("%.3f", percentile(sorted, 99))
                    + ", max " + format("%.3f", sorted.back()));
    return lines;
}

} // namespace clients
