#include "history/RunChartData.h"
#include "RunSamples.h"

#include <gtest/gtest.h>

#include <algorithm>

using history::RunChartData;
using historytest::kMorning;
using historytest::run;

namespace {

QList<int> approvedPerBin(const RunChartData &data)
{
    QList<int> out;
    for (const RunChartData::Bin &bin : data.bins)
        out << bin.counts[RunChartData::Approved];
    return out;
}

TEST(RunChartData, NoRunsGiveAnEmptyChart)
{
    const RunChartData data = RunChartData::build({});
    EXPECT_TRUE(data.bins.isEmpty());
    EXPECT_TRUE(data.lines[RunChartData::P50].isEmpty());
    EXPECT_FALSE(data.from.isValid());
}

// Each run's outcomes land in the span its start falls in; the spans cover the first to
// the last start, however the runs are spread.
TEST(RunChartData, RunsFallIntoTheSpanOfTheirStart)
{
    struct Case {
        const char *name;
        QList<qint64> startSeconds; // after kMorning, each run approving one request
        int maxBins;
        qint64 binSeconds;
        QList<int> approved;
    };
    const Case cases[] = {
        {"one run: one span of a minute", {0}, 40, 60, {1}},
        {"runs within a minute share it", {0, 30, 59}, 40, 60, {3}},
        {"the next minute opens a span", {0, 60}, 40, 60, {1, 1}},
        {"an hour in four spans", {0, 900, 901, 2703, 3600}, 4, 901, {2, 1, 0, 2}},
        {"the last start is inside the last span", {0, 400}, 4, 101, {1, 0, 0, 1}},
        {"unordered input", {600, 0, 300}, 2, 301, {2, 1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QList<taskstore::RunRecord> runs;
        for (qint64 seconds : c.startSeconds)
            runs << run(kMorning.addSecs(seconds), 1, 0);
        const RunChartData data = RunChartData::build(runs, c.maxBins);
        EXPECT_EQ(data.binSeconds, c.binSeconds);
        EXPECT_EQ(approvedPerBin(data), c.approved);
        EXPECT_LE(data.bins.size(), c.maxBins);
        EXPECT_EQ(data.from, kMorning);
        EXPECT_EQ(data.to, kMorning.addSecs(c.binSeconds * data.bins.size()));
        EXPECT_EQ(data.bins.first().start, kMorning);
    }
}

TEST(RunChartData, EveryOutcomeIsStackedAndTheTallestBarSetsTheScale)
{
    taskstore::RunRecord mixed = run(kMorning, 5, 2);
    mixed.other = 1;
    mixed.lost = 3;
    mixed.failed = 4;
    const RunChartData data = RunChartData::build({mixed, run(kMorning.addSecs(10), 1, 1)});
    ASSERT_EQ(data.bins.size(), 1);
    const std::array<int, RunChartData::OutcomeCount> expected{6, 3, 1, 3, 4};
    EXPECT_EQ(data.bins.first().counts, expected);
    EXPECT_EQ(data.highestCount, 17);
}

// A point a run with replies, in time order; a run without replies leaves no point.
TEST(RunChartData, PercentileLinesFollowTimeAndSkipRunsWithoutReplies)
{
    const RunChartData data = RunChartData::build(
        {run(kMorning.addSecs(120), 1, 0, 8.0), run(kMorning, 1, 0, 2.5), run(kMorning.addSecs(60), 0, 0)});
    const QList<QPointF> expectedP50{{double(kMorning.toMSecsSinceEpoch()), 2.5},
                                     {double(kMorning.addSecs(120).toMSecsSinceEpoch()), 8.0}};
    EXPECT_EQ(data.lines[RunChartData::P50], expectedP50);
    EXPECT_EQ(data.lines[RunChartData::Max].size(), 2);
    EXPECT_EQ(data.lines[RunChartData::Max].last().y(), 32.0);
    EXPECT_EQ(data.highestMs, 32.0);
}

// A long line keeps its ends, its lowest and highest points and its order, in few points.
TEST(RunChartData, LongLinesAreThinnedKeepingTheirPeaks)
{
    QList<QPointF> line;
    for (int i = 0; i < 10'000; ++i)
        line << QPointF(i, i % 97);
    line[4321].setY(500);
    line[8765].setY(-3);
    const QList<QPointF> thin = RunChartData::thinned(line, 100);
    EXPECT_LE(thin.size(), 100);
    EXPECT_GE(thin.size(), 50);
    EXPECT_TRUE(std::is_sorted(thin.cbegin(), thin.cend(), [](auto a, auto b) { return a.x() < b.x(); }));
    EXPECT_TRUE(thin.contains(QPointF(4321, 500)));
    EXPECT_TRUE(thin.contains(QPointF(8765, -3)));
    EXPECT_EQ(RunChartData::thinned(line.mid(0, 100), 100), line.mid(0, 100));

    QList<taskstore::RunRecord> runs;
    for (int i = 0; i < 5000; ++i)
        runs << run(kMorning.addSecs(i), 1, 0, 1.0 + i % 10);
    const RunChartData data = RunChartData::build(runs, 40, 200);
    for (const QList<QPointF> &each : data.lines)
        EXPECT_LE(each.size(), 200);
    EXPECT_EQ(data.highestMs, 40.0);
}

} // namespace
