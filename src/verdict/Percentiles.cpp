#include "verdict/Percentiles.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace verdict {

namespace {
// The smallest value with at least percent of all values at or below it.
double nearestRank(const std::vector<double> &sorted, double percent)
{
    const auto rank = static_cast<std::size_t>(std::ceil(percent / 100.0 * double(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}
} // namespace

ResponsePercentiles responsePercentiles(const QList<Exchange> &exchanges)
{
    std::vector<double> times;
    for (const Exchange &exchange : exchanges)
        if (exchange.verified && exchange.responseMs)
            times.push_back(*exchange.responseMs);
    ResponsePercentiles result;
    if (times.empty())
        return result;
    std::sort(times.begin(), times.end());
    result.p50 = nearestRank(times, 50);
    result.p95 = nearestRank(times, 95);
    result.p99 = nearestRank(times, 99);
    result.max = times.back();
    return result;
}

} // namespace verdict
