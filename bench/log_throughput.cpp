// The run log under a client that writes fast: every line must reach its page and the
// log file in order, the window must keep answering, the run must not take much longer
// than the client writing to /dev/null, and the memory held must stay small. Prints
// "name: value" lines; peak_rss_mb is the process's peak after the line-by-line client's
// runs, rss_bytes_per_line its growth over the resident size before them, per line.
#include "execution/LogPane.h"
#include "execution/PageCtrlLog.h"
#include "execution/PageCtrlRunLog.h"
#include "execution/RunControl.h"
#include "platform/ProgramDirectory.h"
#include "platform/SettingsKey.h"
#include "taskstore/Connection.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
int kLines = 100000; // or the first argument

void print(const char *name, double value)
{
    std::printf("%s: %.3f\n", name, value);
    std::fflush(stdout);
}

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

// The client alone, its output thrown away; median of three.
double devNullMs(const QString &client, const QStringList &arguments)
{
    std::vector<double> times;
    for (int i = 0; i < 3; ++i) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        process.start(client, arguments);
        process.waitForFinished(-1);
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[1];
}

// The client into a reader that does nothing but drain the pipe: the floor for any
// reader of a pipe on this machine.
double pipeFloorMs(const QString &client, const QString &arguments)
{
    std::vector<double> times;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer clock;
        clock.start();
        QProcess::execute(
            QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"),
             QLatin1Char('\'') + client + QStringLiteral("' ") + arguments + QStringLiteral(" | cat > /dev/null")});
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[1];
}

struct Figures {
    double ms = 0;
    double maxGapMs = 0;
    int pageLines = 0;
    int fileLines = 0;
    bool inOrder = true;
};

Figures runThroughPipeline(const QString &programDir, const QString &taskId)
{
    taskstore::Connection connection(taskstore::Connection::defaultPath());
    taskstore::Query query(connection);
    taskstore::TaskRecord task;
    task.GroupID = QStringLiteral("AllTask");
    task.TaskID = taskId;
    task.TaskName = QStringLiteral("Fast");
    task.AuthMode = QStringLiteral("PAP");
    task.RepeatTimes = kLines; // the fake client takes "-c" as its line count
    taskstore::ExecQuery(query, taskstore::sql::insertTask(task));
    taskstore::ExecQuery(query, taskstore::sql::insertTaskOption(task));
    QFile::remove(programDir + QStringLiteral("Log/PellionLog.txt"));

    QWidget window;
    auto *log = new execution::PageCtrlLog(&window);
    log->resize(900, 500);
    window.resize(900, 500);
    window.show();
    execution::RunControl control({&connection, new execution::PageCtrlRunLog(log), nullptr});

    // The user-interface thread's pulse: the longest gap between ticks of a 50 ms timer.
    QElapsedTimer pulse;
    double maxGap = 0;
    QTimer timer;
    timer.setInterval(50);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        maxGap = std::max(maxGap, double(pulse.nsecsElapsed()) / 1e6);
        pulse.restart();
    });
    QTest::qWait(100);
    timer.start();
    pulse.start();

    QElapsedTimer clock;
    clock.start();
    QEventLoop untilEnded;
    QObject::connect(&control, &execution::RunControl::runEnded, &untilEnded, &QEventLoop::quit);
    control.runClicked(task.TaskID);
    untilEnded.exec();
    Figures f;
    f.ms = double(clock.nsecsElapsed()) / 1e6;
    // the copy into "All Log" goes on in slices
    if (!QTest::qWaitFor([&] { return log->pendingAllLogLines() == 0; }, 60000))
        std::fprintf(stderr, "All Log copy did not finish\n");
    QTest::qWait(100);
    f.maxGapMs = std::max(maxGap, double(pulse.nsecsElapsed()) / 1e6);

    // Every line in "All Log" (which holds what the run's page held) and in the file, read
    // one at a time so that the check itself does not swell the figures.
    const execution::LogPane &shown = *log->allLog(); // after the start banner
    for (int i = 0; i < kLines && i + 1 < shown.lineCount(); ++i) {
        if (shown.lineText(i + 1) != QStringLiteral("Info: line %1").arg(i))
            f.inOrder = false;
        ++f.pageLines;
    }
    QFile file(programDir + QStringLiteral("Log/PellionLog.txt"));
    file.open(QIODevice::ReadOnly);
    file.readLine(); // the start banner
    for (int i = 0; i < kLines && !file.atEnd(); ++i) {
        if (file.readLine() != QByteArray("Info: line ") + QByteArray::number(i) + "\r\n")
            f.inOrder = false;
        ++f.fileLines;
    }
    return f;
}

// Three runs: the median time, the longest gap, and whether every run delivered all.
Figures medianOfThree(const QString &programDir, int firstTaskId)
{
    std::vector<Figures> runs;
    for (int i = 0; i < 3; ++i)
        runs.push_back(runThroughPipeline(programDir, QString::number(firstTaskId + i)));
    std::vector<double> times;
    Figures result = runs[0];
    for (const Figures &run : runs) {
        times.push_back(run.ms);
        result.maxGapMs = std::max(result.maxGapMs, run.maxGapMs);
        result.pageLines = std::min(result.pageLines, run.pageLines);
        result.fileLines = std::min(result.fileLines, run.fileLines);
        result.inOrder = result.inOrder && run.inOrder;
    }
    std::sort(times.begin(), times.end());
    result.ms = times[1];
    return result;
}
// Prints one client's figures, each name behind the prefix.
void report(const char *prefix, const Figures &f, double nullMs, double floorMs)
{
    const auto put = [prefix](const char *name, double value) {
        print((QByteArray(prefix) + name).constData(), value);
    };
    put("lines_delivered", f.pageLines);
    put("in_order", f.inOrder ? 1 : 0);
    put("devnull_ms", nullMs);
    put("pipeline_ms", f.ms);
    put("time_ratio", f.ms / nullMs);
    put("pipe_to_cat_ms", floorMs);
    put("time_ratio_to_cat", f.ms / floorMs);
    put("max_ui_gap_ms", f.maxGapMs);
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    if (argc > 1)
        kLines = std::max(1, std::atoi(argv[1]));
    QTemporaryDir dir;
    const QString root = dir.path() + QLatin1Char('/');
    QDir(root).mkpath(QStringLiteral("Log"));
    QDir(root).mkpath(QStringLiteral("script"));
    platform::SettingsKey::setRoot(root + QStringLiteral("settings"));
    platform::ProgramDirectory::enter(root);

    // The fake client answers to the name radclient ("-c" is its line count).
    const QString client = QStringLiteral(PELLION_LOG_FAST_CLIENT);
    QFile::link(client, root + QStringLiteral("radclient"));

    const QString count = QString::number(kLines);
    const double nullMs = devNullMs(client, {count});
    const double rssBeforeMb = peakRssMb();
    const Figures f = medianOfThree(root, 1);
    const double rssAfterMb = peakRssMb();
    print("lines_written", kLines);
    print("log_file_lines", f.fileLines);
    print("peak_rss_mb", rssAfterMb);
    print("rss_bytes_per_line", (rssAfterMb - rssBeforeMb) * 1024 * 1024 / kLines);
    report("", f, nullMs, pipeFloorMs(client, count));

    // The same with a client that writes in 64 KiB blocks, for comparison.
    qputenv("PELLION_FAST_CLIENT_BUFFERED", "1");
    const double bufferedNullMs = devNullMs(client, {count});
    const Figures b = medianOfThree(root, 11);
    report("buffered_", b, bufferedNullMs, pipeFloorMs(client, count));
    return f.pageLines == kLines && f.fileLines == kLines && f.inOrder ? 0 : 1;
}
