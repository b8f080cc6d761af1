#include "runner/TaskRun.h"

#include "execution/TMyThread.h"
#include "platform/Clock.h"
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
// The verdict's texts from what the run engine judged: the verdict's line with its reason
// and a line per check that did not hold, as the log shows them. A run that ended before
// its verdict has neither.
void takeVerdict(TaskResult &result, const execution::RunReport &report)
{
    result.verdict = report.verdict.verdict;
    if (!report.judged)
        return;
    result.verdictLine = verdict::verdictLines(report.verdict).first();
    for (const verdict::CheckFailure &failure : report.verdict.failures)
        result.failedChecks << verdict::failureLine(failure);
}
} // namespace

TaskResult runTask(const SelectedTask &task, taskstore::Connection &connection, ConsoleRunLog &log)
{
    TaskResult result;
    result.task = task;
    execution::RunEnvironment environment;
    environment.runConnection = &connection;
    environment.log = &log;
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
    takeVerdict(result, run.report());
    return result;
}

} // namespace runner
