#include "history/RunHistoryChart.h"

#include "history/HistoryWords.h"
#include "history/LanguageDates.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QDateTimeAxis>
#include <QFontMetricsF>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>
#include <array>

namespace history {

namespace {
constexpr std::array<Words, RunChartData::PercentileCount> kLineNames{{
    {"Chart.P50", "p50"},
    {"Chart.P95", "p95"},
    {"Chart.P99", "p99"},
    {"Chart.Max", "max"},
}};
constexpr std::array<Words, RunChartData::OutcomeCount> kOutcomeNames{{
    {"Chart.Approved", "approved"},
    {"Chart.Denied", "denied"},
    {"Chart.Other", "other"},
    {"Chart.Lost", "lost"},
    {"Chart.Failed", "failed"},
}};

// The chart leaves an axis room for its title only beside labels at least as wide as an
// ellipsis: narrower counts ("0" and "1") would cut a taller title, as Chinese is, to "...".
// Leading no-break spaces (plain blanks the labels' rich text would drop) widen them.
QString countLabelFormat(const QFont &font, int highest)
{
    const QFontMetricsF metrics(font);
    const QString widest = QString::number(highest);
    const qreal ellipsis = metrics.horizontalAdvance(QStringLiteral("..."));
    qsizetype blanks = 0;
    while (metrics.horizontalAdvance(QString(blanks, QChar(0x00A0)) + widest) < ellipsis)
        ++blanks;
    return QStringLiteral("&nbsp;").repeated(blanks) + QStringLiteral("%d"); // the labels are rich text
}

} // namespace

RunHistoryChart::RunHistoryChart(QWidget *parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("chtRuns"));
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->setAlignment(Qt::AlignBottom);
}

void RunHistoryChart::display(const RunChartData &figures, const platform::LanguageFile &language)
{
    const LanguageDates dates(language);
    auto *chart = new QChart;
    chart->setLocale(dates.locale()); // the time axis's month names
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setAnimationOptions(QChart::NoAnimation);

    // The bars stand on a category axis of their own whose categories are the time spans;
    // it covers the same width as the time axis, so bar i stands under its span.
    auto *bars = new QStackedBarSeries;
    bars->setBarWidth(0.9);
    for (int k = 0; k < RunChartData::OutcomeCount; ++k) {
        auto *set = new QBarSet(historyText(language, kOutcomeNames[size_t(k)]));
        QList<qreal> counts;
        counts.reserve(figures.bins.size());
        for (const RunChartData::Bin &bin : figures.bins)
            counts << bin.counts[size_t(k)];
        set->append(counts);
        bars->append(set);
    }
    chart->addSeries(bars);
    auto *spans = new QBarCategoryAxis;
    for (const RunChartData::Bin &bin : figures.bins)
        spans->append(dates.text(bin.start));
    spans->setVisible(false);
    chart->addAxis(spans, Qt::AlignBottom);
    bars->attachAxis(spans);
    auto *counts = new QValueAxis;
    counts->setTitleText(historyText(language, {"Chart.Runs", "requests"}));
    counts->setRange(0, std::max(1, figures.highestCount));
    counts->setLabelFormat(countLabelFormat(counts->labelsFont(), std::max(1, figures.highestCount)));
    // Whole numbers only: a small count gets a tick per number.
    counts->setTickCount(std::min(5, std::max(1, figures.highestCount) + 1));
    chart->addAxis(counts, Qt::AlignRight);
    bars->attachAxis(counts);

    auto *time = new QDateTimeAxis;
    time->setFormat(dates.dateFormat() + QStringLiteral(" HH:mm"));
    time->setTickCount(5);
    if (figures.from.isValid())
        time->setRange(figures.from, figures.to);
    else
        time->setLabelsVisible(false); // no runs: no times to show
    chart->addAxis(time, Qt::AlignBottom);
    auto *milliseconds = new QValueAxis;
    milliseconds->setTitleText(historyText(language, {"Chart.Milliseconds", "response time (ms)"}));
    milliseconds->setRange(0, figures.highestMs > 0 ? figures.highestMs * 1.05 : 1);
    chart->addAxis(milliseconds, Qt::AlignLeft);
    for (int k = 0; k < RunChartData::PercentileCount; ++k) {
        auto *line = new QLineSeries;
        line->setName(historyText(language, kLineNames[size_t(k)]));
        // One replace, not a point at a time: many runs stay quick to show.
        line->replace(figures.lines[size_t(k)]);
        // A few runs are dots rather than lines; a single run would show nothing.
        line->setPointsVisible(figures.lines[size_t(k)].size() <= 60);
        chart->addSeries(line);
        line->attachAxis(time);
        line->attachAxis(milliseconds);
    }

    QChart *old = this->chart();
    setChart(chart);
    delete old;
}

} // namespace history
