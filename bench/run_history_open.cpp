// Opening the Run History window over N runs of one task (N the first argument, 10,000
// when none is given): reading the runs, building the table and chart, and the first paint.
// Runs offscreen in a temporary program directory. Prints "name: value" lines:
// open_ms (median of the runs), load_ms and paint_ms of that run, runs_shown.
#include "history/TfrmRunHistory.h"
#include "platform/ProgramDirectory.h"
#include "platform/SettingsKey.h"
#include "taskstore/Connection.h"
#include "taskstore/RunHistoryStore.h"
#include "taskstore/Transaction.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kDefaultRuns = 10'000;
constexpr int kRepeats = 5;

void seed(taskstore::Connection &connection, int runs)
{
    taskstore::RunHistoryStore store(connection);
    taskstore::Transaction transaction(connection);
    const QDateTime base(QDate(2026, 1, 1), QTime(8, 0));
    for (int i = 0; i < runs; ++i) {
        taskstore::RunRecord run;
        run.taskId = QStringLiteral("42");
        run.start = base.addSecs(600LL * i);
        run.end = run.start.addSecs(3);
        run.sent = 100;
        run.approved = 90 + i % 5;
        run.denied = 10 - i % 5;
        run.p50Ms = 1.0 + i % 13;
        run.p95Ms = 4.0 + i % 17;
        run.p99Ms = 9.0 + i % 19;
        run.maxMs = 20.0 + i % 23;
        run.verdict = i % 11 == 0 ? taskstore::Verdict::Fail : taskstore::Verdict::Pass;
        if (!store.add(run).ok()) {
            std::fprintf(stderr, "cannot store run %d\n", i);
            std::exit(1);
        }
    }
    transaction.commit();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : kDefaultRuns;
    QTemporaryDir dir;
    platform::ProgramDirectory::enter(dir.path());
    platform::SettingsKey::setRoot(dir.filePath(QStringLiteral("settings")));
    taskstore::Connection connection(taskstore::Connection::defaultPath());
    seed(connection, runs);

    std::vector<qint64> opens;
    qint64 load = 0;
    qint64 paint = 0;
    int shown = 0;
    for (int repeat = 0; repeat < kRepeats; ++repeat) {
        QElapsedTimer timer;
        timer.start();
        history::TfrmRunHistory window(connection, QStringLiteral("42"), QStringLiteral("bench"));
        if (!window.load())
            return 1;
        const qint64 loaded = timer.elapsed();
        window.show();
        window.grab(); // paints the table and the chart once, as the screen would
        QApplication::processEvents();
        opens.push_back(timer.elapsed());
        load = loaded;
        paint = opens.back() - loaded;
        shown = window.findChild<QTableView *>(QStringLiteral("tblRuns"))->model()->rowCount();
    }
    std::sort(opens.begin(), opens.end());
    std::printf("open_ms: %lld\nload_ms: %lld\npaint_ms: %lld\nruns_shown: %d\n", opens[opens.size() / 2], load, paint,
                shown);
    return 0;
}
