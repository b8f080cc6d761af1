#pragma once

#include "runner/TaskSelection.h"
#include "taskstore/RunHistoryStore.h"

#include <QDateTime>
#include <QStringList>

namespace runner {

using taskstore::Verdict;

// "pass", "fail", "not evaluated": the same in every language, for the reports.
QString verdictText(Verdict verdict);

// One task's run as the reports show it.
struct TaskResult {
    SelectedTask task;
    QDateTime start;
    QDateTime end;
    Verdict verdict = Verdict::NotEvaluated;
    QString verdictLine;      // the verdict's line in the run's log, with its reason
    QStringList failedChecks; // one text per check that did not hold
    QStringList lines;        // the run's log lines, banners included
};

} // namespace runner
