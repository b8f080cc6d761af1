#pragma once

#include "runner/TaskResult.h"

#include <QByteArray>
#include <QList>

namespace runner {

// JUnit XML: one testsuite per group, one testcase per task; a failed task carries a
// failure with its failed checks, a task not evaluated an error; system-out holds the
// task's log lines.
QByteArray junitReport(const QList<TaskResult> &results);
// A JSON object: the counts and one entry per task.
QByteArray jsonReport(const QList<TaskResult> &results);
// CSV with a header line, one row per task, CR LF line ends.
QByteArray csvReport(const QList<TaskResult> &results);

} // namespace runner
