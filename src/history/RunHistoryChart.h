#pragma once

#include "history/RunChartData.h"
#include "platform/LanguageFile.h"

#include <QChartView>

namespace history {

// The chart of a task's runs over time: response-time percentiles as lines against the
// left axis, the outcomes of each span of time as stacked bars against the right one.
class RunHistoryChart : public QChartView {
    Q_OBJECT
public:
    explicit RunHistoryChart(QWidget *parent = nullptr);

    void display(const RunChartData &figures, const platform::LanguageFile &language);
};

} // namespace history
