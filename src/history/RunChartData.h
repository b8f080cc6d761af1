#pragma once

#include "taskstore/RunHistoryStore.h"

#include <QDateTime>
#include <QList>
#include <QPointF>

#include <array>

namespace history {

// The figures of the run chart: response-time percentiles as points over time, and the
// runs' outcomes summed into equal spans of time (so many runs still give few bars).
struct RunChartData {
    enum Percentile { P50, P95, P99, Max, PercentileCount };
    enum Outcome { Approved, Denied, Other, Lost, Failed, OutcomeCount };

    struct Bin {
        QDateTime start;
        std::array<int, OutcomeCount> counts{};
    };

    // x: milliseconds since the epoch of the run's start; y: milliseconds. A run without
    // replies has no point; many runs are thinned.
    std::array<QList<QPointF>, PercentileCount> lines;
    QList<Bin> bins; // consecutive, each binSeconds long; bin i holds the runs started in it
    qint64 binSeconds = 0;
    QDateTime from;       // the first bin's start
    QDateTime to;         // the last bin's end
    double highestMs = 0; // of every point
    int highestCount = 0; // of every bin's stacked counts

    // At most maxBins bins, each at least a minute long; at most maxLinePoints points a line.
    static RunChartData build(const QList<taskstore::RunRecord> &runs, int maxBins = 40, int maxLinePoints = 1200);
    // A line of many points cut to at most maxPoints (no more than a chart can show side by
    // side), keeping the lowest and highest point of each stretch.
    static QList<QPointF> thinned(const QList<QPointF> &line, int maxPoints);
};

} // namespace history
