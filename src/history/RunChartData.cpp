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

RunChartData RunChartData::build(const QList<taskstore::RunRecord> &runs, int maxBins, int maxLinePoints)
{
    RunChartData data;
    if (runs.isEmpty() || maxBins < 1)
        return data;
    // Each start read as a number once: converting a local time is costly, many runs
    // would pay it many times over.
    QList<qint64> starts;
    starts.reserve(runs.size());
    for (const taskstore::RunRecord &run : runs)
        starts << run.start.toMSecsSinceEpoch();
    const auto [first, last] = std::minmax_element(starts.cbegin(), starts.cend());
    const qint64 span = (*last - *first) / 1000;
    data.from = runs.at(first - starts.cbegin()).start;
    // Wide enough that the last run's start falls inside the last bin.
    data.binSeconds = std::max(kShortestBinSeconds, span / maxBins + 1);
    const qint64 binCount = span / data.binSeconds + 1;
    data.to = data.from.addSecs(binCount * data.binSeconds);
    data.bins.resize(binCount);
    for (qint64 i = 0; i < binCount; ++i)
        data.bins[i].start = data.from.addSecs(i * data.binSeconds);

    for (qsizetype r = 0; r < runs.size(); ++r) {
        const taskstore::RunRecord &run = runs.at(r);
        Bin &bin = data.bins[(starts.at(r) - *first) / 1000 / data.binSeconds];
        const auto counts = outcomes(run);
        for (size_t k = 0; k < OutcomeCount; ++k)
            bin.counts[k] += counts[k];
        const auto values = percentiles(run);
        for (size_t k = 0; k < PercentileCount; ++k) {
            if (!values[k])
                continue;
            data.lines[k].append({double(starts.at(r)), *values[k]});
            data.highestMs = std::max(data.highestMs, *values[k]);
        }
    }
    for (QList<QPointF> &line : data.lines) {
        // Runs come oldest first from the store; a line must not turn back when they do not.
        std::stable_sort(line.begin(), line.end(), [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); });
        line = thinned(line, maxLinePoints);
    }
    for (const Bin &bin : std::as_const(data.bins))
        data.highestCount = std::max(data.highestCount, std::accumulate(bin.counts.begin(), bin.counts.end(), 0));
    return data;
}

QList<QPointF> RunChartData::thinned(const QList<QPointF> &line, int maxPoints)
{
    if (line.size() <= maxPoints || maxPoints < 2)
        return line;
    // The points in maxPoints / 2 equal runs of the list; of each run its lowest and its
    // highest point, in their order, so no peak is lost.
    const qsizetype groups = maxPoints / 2;
    QList<QPointF> out;
    out.reserve(groups * 2);
    for (qsizetype g = 0; g < groups; ++g) {
        const auto begin = line.cbegin() + line.size() * g / groups;
        const auto end = line.cbegin() + line.size() * (g + 1) / groups;
        const auto [low, high] =
            std::minmax_element(begin, end, [](const QPointF &a, const QPointF &b) { return a.y() < b.y(); });
        out << (low < high ? *low : *high);
        if (low != high)
            out << (low < high ? *high : *low);
    }
    return out;
}

} // namespace history
