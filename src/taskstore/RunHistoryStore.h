#pragma once

#include "taskstore/StoreResult.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace taskstore {

class Connection;

// What started a run. Stored as its number.
enum class RunTrigger { Manual = 0, Scheduled = 1, CommandLine = 2 };

// The outcome of a run's evaluation. Stored as its number.
enum class Verdict { NotEvaluated = 0, Pass = 1, Fail = 2 };

// One run of a task: its times, counts and response-time percentiles in milliseconds
// (unset when no reply came).
struct RunRecord {
    qint64 runId = 0; // given by the store, rising with every run added
    QString taskId;
    QDateTime start; // read back in UTC: toLocalTime() to show it
    QDateTime end;
    RunTrigger trigger = RunTrigger::Manual;
    int sent = 0;
    int approved = 0;
    int denied = 0;
    int other = 0;
    int lost = 0;
    int failed = 0;
    std::optional<double> p50Ms;
    std::optional<double> p95Ms;
    std::optional<double> p99Ms;
    std::optional<double> maxMs;
    Verdict verdict = Verdict::NotEvaluated;

    bool operator==(const RunRecord &) const = default;
};

// Every run of every task, a row per run. Nothing here throws.
class RunHistoryStore {
public:
    explicit RunHistoryStore(Connection &connection);

    // Stores the run and answers the id it was given.
    StoreResult<qint64> add(const RunRecord &run);
    // The task's runs, oldest first.
    StoreResult<QList<RunRecord>> runsOf(const QString &taskId);
    // The verdict of each task's latest run, for the task list.
    StoreResult<QHash<QString, Verdict>> lastVerdicts();
    // The task's latest run, if it has any.
    StoreResult<std::optional<RunRecord>> lastRunOf(const QString &taskId);

private:
    Connection &m_connection;
};

} // namespace taskstore
