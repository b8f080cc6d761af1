// Reading a task's run history: N runs of one task (the first argument, 10,000 when none is
// given) among as many of other tasks, in a fresh database file.
// Prints "name: value" lines: runs_read, runs_of_task_ms (median of the reads),
// last_verdicts_ms (the task list's last result of every task, median).
#include "taskstore/Connection.h"
#include "taskstore/RunHistoryStore.h"
#include "taskstore/Transaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kDefaultRuns = 10000;
constexpr int kReads = 5;

taskstore::RunRecord runOf(const QString &taskId, int k)
{
    taskstore::RunRecord run;
    run.taskId = taskId;
    run.start = QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(qint64(k) * 60);
    run.end = run.start.addMSecs(1500);
    run.sent = 10;
    run.approved = 9;
    run.lost = 1;
    run.p50Ms = 1.0 + k % 7;
    run.p95Ms = 5.0 + k % 11;
    run.p99Ms = 9.0 + k % 13;
    run.maxMs = 20.0 + k % 17;
    run.verdict = k % 5 == 0 ? taskstore::Verdict::Fail : taskstore::Verdict::Pass;
    return run;
}

template <typename Work>
double medianMs(Work work)
{
    std::vector<double> times;
    for (int k = 0; k < kReads; ++k) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRuns;
    QTemporaryDir dir;
    taskstore::Connection connection(QDir(dir.path()).filePath(QStringLiteral("Pellion.dat")));
    taskstore::RunHistoryStore history(connection);
    {
        taskstore::Transaction transaction(connection);
        for (int k = 0; k < runs; ++k) {
            (void)history.add(runOf(QStringLiteral("42"), k));
            (void)history.add(runOf(QString::number(100 + k % 50), k));
        }
        transaction.commit();
    }
    qsizetype read = 0;
    const double taskMs = medianMs([&] { read = history.runsOf(QStringLiteral("42")).value().size(); });
    const double lastMs = medianMs([&] { (void)history.lastVerdicts(); });
    std::printf("runs_read: %lld\nruns_of_task_ms: %.1f\nlast_verdicts_ms: %.1f\n", static_cast<long long>(read),
                taskMs, lastMs);
    return read == runs ? 0 : 1;
}
