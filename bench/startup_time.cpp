// Start-up time of the main program: from process start to the main window shown, with the
// installed FreeRADIUS dictionary and N tasks of two schedules each (N the first argument,
// 1,000 when none is given). Runs offscreen.
// Prints "name: value" lines: startup_ms (median of the runs), main_window_ms (building and
// filling the main window), task_list_fill_ms (one more fill of "All Tasks", as a click on it),
// dictionary_ms, tasks_listed.
// "--seed DIR N" only seeds DIR; "--child DIR" then starts once in it.
#include "platform/ProgramDirectory.h"
#include "radius/Dictionary.h"
#include "shell/TaskListView.h"
#include "shell/TaskWindows.h"
#include "shell/TfrmDataMod.h"
#include "shell/TfrmMain.h"
#include "taskstore/Connection.h"
#include "taskstore/DateTimeText.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/Transaction.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kDefaultTasks = 1000;
constexpr int kRuns = 5;

void copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(source, target);
    }
}

void seed(const QString &dir, int tasks)
{
    copyTree(QStringLiteral(PELLION_SOURCE_DIR "/data"), dir);
    for (const char *sub : {"script", "Log", "cfg", "run"})
        QDir(dir).mkpath(QString::fromLatin1(sub));
    QFile::setPermissions(dir + QStringLiteral("/run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    platform::ProgramDirectory::enter(dir);
    taskstore::Connection connection(taskstore::Connection::defaultPath());
    taskstore::Query query(connection);
    taskstore::Transaction transaction(connection);
    const QDateTime base(QDate(2030, 6, 1), QTime(8, 0));
    for (int g = 0; g < 10; ++g)
        taskstore::ExecQuery(
            query, taskstore::sql::insertGroup(QString::number(900000 + g), QStringLiteral("Group %1").arg(g)));
    for (int i = 0; i < tasks; ++i) {
        taskstore::TaskRecord task;
        task.TaskID = QString::number(i + 1);
        task.GroupID = QString::number(900000 + i % 10);
        task.TaskName = QStringLiteral("Task %1").arg(i + 1);
        task.ServerIP = QStringLiteral("127.0.0.1");
        task.SecretKey = QStringLiteral("testing123");
        task.Port = 1812;
        task.AuthMode = QStringLiteral("PAP");
        task.RunType = 1;
        task.RepeatTimes = 1;
        taskstore::ExecQuery(query, taskstore::sql::insertTask(task));
        taskstore::ExecQuery(query, taskstore::sql::insertTaskOption(task));
        for (int s = 0; s < 2; ++s) {
            const QString last = taskstore::DateTimeText::dateTimeText(base.addSecs(-3600 * (s + 1)));
            const QString next = taskstore::DateTimeText::dateTimeText(base.addSecs(60 * i + 3600 * s));
            taskstore::ExecQuery(query,
                                 taskstore::sql::insertIntervalSchedule(task.TaskID, 1, 1, last, next, QString()));
        }
    }
    transaction.commit();
}

// The program's own start-up, in the directory given; prints "shown" once the window is up,
// then its figures.
int child(int &argc, char **argv, const QString &dir)
{
    QElapsedTimer phase;
    phase.start();
    QApplication app(argc, argv);
    const qint64 applicationMs = phase.restart();
    platform::ProgramDirectory::enter(dir);
    QElapsedTimer dictionary;
    dictionary.start();
    const bool loaded = radius::Dictionary::loadProgramDictionary().ok();
    const qint64 dictionaryMs = dictionary.elapsed();
    shell::NoTaskWindows windows;
    phase.restart();
    shell::TfrmMain window(windows);
    const qint64 windowMs = phase.restart();
    shell::TfrmDataMod dataModule;
    window.attachDataModule(dataModule);
    window.show();
    QApplication::processEvents();
    const qint64 showMs = phase.restart();
    std::printf("shown\n");
    std::fflush(stdout);
    // The list alone: a click on "All Tasks" fills it again.
    QTreeWidget *tree = window.ui().treTaskGroup;
    Q_EMIT tree->itemClicked(tree->topLevelItem(0), 0);
    QApplication::processEvents();
    const qint64 fillMs = phase.elapsed();
    std::printf(
        "dictionary_ms: %lld\ndictionary_loaded: %d\ntasks_listed: %d\n"
        "application_ms: %lld\nmain_window_ms: %lld\nshow_ms: %lld\ntask_list_fill_ms: %lld\n",
        static_cast<long long>(dictionaryMs), loaded ? 1 : 0, window.ui().lvwTask->rowCount(),
        static_cast<long long>(applicationMs), static_cast<long long>(windowMs), static_cast<long long>(showMs),
        static_cast<long long>(fillMs));
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--child")
        return child(argc, argv, QString::fromLocal8Bit(argv[2]));
    // Leaves a seeded directory behind, so that two builds can start on the same data.
    if (argc == 4 && QByteArray(argv[1]) == "--seed") {
        QCoreApplication app(argc, argv);
        seed(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
        return 0;
    }

    QCoreApplication app(argc, argv);
    const int tasks = argc > 1 ? QByteArray(argv[1]).toInt() : kDefaultTasks;
    if (tasks <= 0) {
        std::fprintf(stderr, "usage: startup_time [task count]\n");
        return 2;
    }
    QTemporaryDir dir;
    seed(dir.path(), tasks);
    std::vector<qint64> times;
    QString figures;
    for (int run = 0; run < kRuns; ++run) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("cfg")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("run")));
        process.setProcessEnvironment(environment);
        QElapsedTimer timer;
        timer.start();
        process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), dir.path()});
        QByteArray output;
        while (!output.contains("shown\n") && process.waitForReadyRead(30000))
            output += process.readAllStandardOutput();
        times.push_back(timer.elapsed());
        process.waitForFinished(30000);
        output += process.readAllStandardOutput();
        figures = QString::fromLocal8Bit(output).remove(QStringLiteral("shown\n"));
    }
    std::sort(times.begin(), times.end());
    std::printf("startup_ms: %lld\nstartup_min_ms: %lld\n%s", static_cast<long long>(times[kRuns / 2]),
                static_cast<long long>(times.front()), figures.toLocal8Bit().constData());
    return 0;
}
