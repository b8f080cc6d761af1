#pragma once

#include "taskstore/RunHistoryStore.h"

#include <QDateTime>

namespace historytest {

// A run started at `start`, lasting two seconds, with the given counts and times.
inline taskstore::RunRecord run(const QDateTime &start, int approved, int denied, std::optional<double> p50 = {},
                                taskstore::Verdict verdict = taskstore::Verdict::Pass)
{
    taskstore::RunRecord record;
    record.taskId = QStringLiteral("42");
    record.start = start;
    record.end = start.addSecs(2);
    record.sent = approved + denied;
    record.approved = approved;
    record.denied = denied;
    if (p50) {
        record.p50Ms = *p50;
        record.p95Ms = *p50 * 2;
        record.p99Ms = *p50 * 3;
        record.maxMs = *p50 * 4;
    }
    record.verdict = verdict;
    return record;
}

inline const QDateTime kMorning{QDate(2026, 3, 10), QTime(9, 0)};

} // namespace historytest
