#pragma once

#include "runner/TaskSelection.h"

#include <QDateTime>
#include <QStringList>

namespace runner {

enum class Verdict { NotEvaluated, Pass, Fail };

// "pass", "fail", "not evaluated".
QString verdictText(Verdict verdict);

// One task's run as the reports show it.
struct TaskResult {
    SelectedTask task;
    QDateTime start;
    QDateTime end;
    Verdict verdict = Verdict::NotEvaluated;
    QStringList failedChecks; // one text per check that did not hold
    QStringList lines;        // the run's log lines, banners included
};

} // namespace runner
