#include "runner/TaskRun.h"

#include "execution/TMyThread.h"
#include "execution/TaskListUpdater.h"
#include "platform/Clock.h"
#include "platform/CurrentLanguage.h"
#include "runner/ConsoleRunLog.h"
#include "verdict/VerdictText.h"

#include <QEventLoop>

namespace runner {

QString verdictText(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Pass: return QStringLiteral("pass");
    case Verdict::Fail: return QStringLiteral("fail");
    case Verdict::NotEvaluated: break;
    }
    return QStringLiteral("not evaluated");
}

namespace {
// The verdict the run engine tells the task list.
class VerdictCatcher : public execution::TaskListUpdater {
public:
    void showRunTimes(const QString &, const QString &, const QString &) override {}
    void showVerdict(const QString &, Verdict verdict) override { caught = verdict; }
    Verdict caught = Verdict::NotEvaluated;
};

// The engine writes the verdict into the run's log: a line that starts with the verdict
// (and says why it was not evaluated), then one line per failed check, then the finish
// banner. Found from the end, so client lines that look alike do not count.
void takeVerdictLines(TaskResult &result)
{
    const QString head =
        platform::CurrentLanguage::text("Verdict", "Verdict", "Verdict: %1").arg(verdict::verdictName(result.verdict));
    for (qsizetype i = result.lines.size() - 1; i >= 0; --i) {
        if (!result.lines[i].startsWith(head))
            continue;
        result.verdictLine = result.lines[i];
        for (qsizetype k = i + 1; k + 1 < result.lines.size(); ++k)
            result.failedChecks << result.lines[k];
        return;
    }
    // A client of another origin leaves the log without a verdict.
    if (result.verdict == Verdict::NotEvaluated)
        result.verdictLine =
            verdict::verdictLines({Verdict::NotEvaluated, verdict::NotEvaluatedBecause::ForeignClient, {}}).first();
}
} // namespace

TaskResult runTask(const SelectedTask &task, taskstore::Connection &connection, ConsoleRunLog &log)
{
    TaskResult result;
    result.task = task;
    execution::RunEnvironment environment;
    environment.runConnection = &connection;
    environment.log = &log;
    VerdictCatcher catcher;
    environment.taskList = &catcher;
    execution::TMyThread run(task.taskId, environment);
    run.setTrigger(taskstore::RunTrigger::CommandLine);
    QEventLoop loop;
    QObject::connect(&run, &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    result.start = platform::Clock::now();
    run.Resume();
    loop.exec();
    run.wait();
    result.end = platform::Clock::now();
    result.lines = log.lastRunLines();
    result.verdict = catcher.caught;
    takeVerdictLines(result);
    return result;
}

} // namespace runner
