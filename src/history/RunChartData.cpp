#include "history/RunChartData.h"

#include <algorithm>
#include <numeric>

namespace history {

namespace {
constexpr qint64 kShortestBinSeconds = 60;

std::array<int, RunChartData::OutcomeCount> outcomes(const taskstore::RunRecord &run)
{
    return {run.approved, run.denied, run.other, run.lost, run.failed};
}

std::array<std::optional<double>, RunChartData::PercentileCount> percentiles(const taskstore::RunRecord &run)
{
    return {run.p50Ms, run.p95Ms, run.p99Ms, run.maxMs};
}
} // namespace

RunChartData RunChartData::build(const QList<taskstore::RunRecord> &runs, int maxBins)
{
    RunChartData data;
    if (runs.isEmpty() || maxBins < 1)
        return data;
    const auto [first, last] =
        std::minmax_element(runs.cbegin(), runs.cend(), [](const auto &a, const auto &b) { return a.start < b.start; });
    data.from = first->start;
    const qint64 span = first->start.secsTo(last->start);
    // Wide enough that the last run's start falls inside the last bin.
    data.binSeconds = std::max(kShortestBinSeconds, span / maxBins + 1);
    const qint64 binCount = span / data.binSeconds + 1;
    data.to = data.from.addSecs(binCount * data.binSeconds);
    data.bins.resize(binCount);
    for (qint64 i = 0; i < binCount; ++i)
        data.bins[i].start = data.from.addSecs(i * data.binSeconds);

    for (const taskstore::RunRecord &run : runs) {
        Bin &bin = data.bins[data.from.secsTo(run.start) / data.binSeconds];
        const auto counts = outcomes(run);
        for (int k = 0; k < OutcomeCount; ++k)
            bin.counts[k] += counts[k];
        const double x = double(run.start.toMSecsSinceEpoch());
        const auto values = percentiles(run);
        for (int k = 0; k < PercentileCount; ++k) {
            if (!values[k])
                continue;
            data.lines[k].append({x, *values[k]});
            data.highestMs = std::max(data.highestMs, *values[k]);
        }
    }
    // Runs come oldest first from the store; a line must not turn back when they do not.
    for (QList<QPointF> &line : data.lines)
        std::stable_sort(line.begin(), line.end(), [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); });
    for (const Bin &bin : std::as_const(data.bins))
        data.highestCount = std::max(data.highestCount, std::accumulate(bin.counts.begin(), bin.counts.end(), 0));
    return data;
}

} // namespace history
