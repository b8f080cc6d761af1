#include "runner/RunnerMain.h"

#include "groupfile/GroupFileTransfer.h"
#include "platform/Clock.h"
#include "platform/ProgramDirectory.h"
#include "platform/TextError.h"
#include "platform/WholeFile.h"
#include "runner/ConsoleRunLog.h"
#include "runner/RunReports.h"
#include "runner/RunnerOptions.h"
#include "runner/TaskRun.h"
#include "taskstore/Connection.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace runner {

namespace {
class Runner {
public:
    explicit Runner(RunnerOptions options) : m_options(std::move(options)), m_out(stdout), m_err(stderr) {}
    int run();

private:
    int exportGroup(taskstore::Connection &connection);
    int importGroup(taskstore::Connection &connection);
    int runTasks(taskstore::Connection &connection);
    bool writeReport(const QString &path, const QByteArray &content);
    int fail(int code, const QString &text);

    RunnerOptions m_options;
    QTextStream m_out;
    QTextStream m_err;
};

int Runner::fail(int code, const QString &text)
{
    m_err << "pellion-run: " << text << '\n';
    m_err.flush();
    return code;
}

int Runner::run()
{
    // Files named on the command line are where the caller is, not in the program directory.
    const QDir caller = QDir::current();
    for (QString *path :
         {&m_options.junitFile, &m_options.jsonFile, &m_options.csvFile, &m_options.exportFile, &m_options.importFile})
        if (!path->isEmpty())
            *path = caller.absoluteFilePath(*path);
    if (m_options.programDir.isEmpty()) {
        platform::ProgramDirectory::enterExecutableDirectory();
    } else {
        if (!QFileInfo(m_options.programDir).isDir())
            return fail(kUsageError, QStringLiteral("no program directory \"%1\"").arg(m_options.programDir));
        // The clients stay the ones beside this program.
        platform::ProgramDirectory::enter(caller.absoluteFilePath(m_options.programDir),
                                          QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    }
    try {
        taskstore::Connection connection(taskstore::Connection::defaultPath());
        if (m_options.exports())
            return exportGroup(connection);
        if (m_options.imports())
            return importGroup(connection);
        return runTasks(connection);
    } catch (const platform::TextError &error) {
        return fail(kNotAllPassed, error.text());
    }
}

int Runner::exportGroup(taskstore::Connection &connection)
{
    const std::optional<QString> groupId = groupIdOf(connection, m_options.exportGroup);
    if (!groupId)
        return fail(kUsageError, QStringLiteral("no group is named \"%1\"").arg(m_options.exportGroup));
    const QString error =
        groupfile::exportGroupToFile(connection, *groupId, m_options.exportGroup, m_options.exportFile);
    if (!error.isEmpty())
        return fail(kNotAllPassed, error);
    if (!m_options.quiet)
        m_out << "Exported group \"" << m_options.exportGroup << "\" to " << m_options.exportFile << '\n';
    return kAllPassed;
}

int Runner::importGroup(taskstore::Connection &connection)
{
    const groupfile::ImportResult result =
        groupfile::importGroupFromFile(connection, m_options.importFile, platform::Clock::now());
    if (!result.ok())
        return fail(kNotAllPassed, QStringLiteral("%1: %2").arg(m_options.importFile, result.error));
    if (!m_options.quiet) {
        m_out << "Imported into group \"" << result.groupName << "\":\n";
        for (const QString &name : result.imported.taskNames)
            m_out << "  " << name << '\n';
    }
    return kAllPassed;
}

bool Runner::writeReport(const QString &path, const QByteArray &content)
{
    QString reason;
    if (path.isEmpty() || platform::writeWholeFile(path, content, &reason))
        return true;
    fail(kNotAllPassed, QStringLiteral("\"%1\" cannot be written: %2").arg(path, reason));
    return false;
}

int Runner::runTasks(taskstore::Connection &connection)
{
    QString error;
    const std::optional<QList<SelectedTask>> tasks = selectTasks(connection, m_options, &error);
    if (!tasks)
        return fail(kUsageError, error);

    ConsoleRunLog log(m_out, m_options.quiet);
    QList<TaskResult> results;
    for (qsizetype i = 0; i < tasks->size(); ++i) {
        const SelectedTask &task = tasks->at(i);
        if (!m_options.quiet) {
            m_out
                << QStringLiteral("[%1/%2] %3 / %4\n").arg(i + 1).arg(tasks->size()).arg(task.groupName, task.taskName);
            m_out.flush();
        }
        results << runTask(task, connection, log);
        const TaskResult &result = results.last();
        m_out << verdictText(result.verdict).toUpper() << ": " << task.taskName << " ("
              << result.start.msecsTo(result.end) << " ms)\n";
        if (result.verdict == Verdict::NotEvaluated && !result.verdictLine.isEmpty())
            m_out << "  " << result.verdictLine << '\n';
        for (const QString &check : result.failedChecks)
            m_out << "  " << check << '\n';
        m_out.flush();
    }

    qsizetype passed = 0;
    for (const TaskResult &result : std::as_const(results))
        passed += result.verdict == Verdict::Pass ? 1 : 0;
    m_out << passed << " of " << results.size() << " tasks passed\n";
    m_out.flush();

    // Every report is tried, also after one that cannot be written.
    bool written = writeReport(m_options.junitFile, junitReport(results));
    written = writeReport(m_options.jsonFile, jsonReport(results)) && written;
    written = writeReport(m_options.csvFile, csvReport(results)) && written;
    return written && passed == results.size() ? kAllPassed : kNotAllPassed;
}
} // namespace

int runRunner(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Pellion"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    QString error;
    const std::optional<RunnerOptions> options = parseRunnerOptions(arguments, &error);
    if (!options) {
        QTextStream(stderr) << "pellion-run: " << error << '\n' << runnerUsage();
        return kUsageError;
    }
    if (options->help) {
        QTextStream(stdout) << runnerUsage();
        return 0;
    }
    return Runner(*options).run();
}

} // namespace runner
