#include "runner/TaskRun.h"

#include "execution/TMyThread.h"
#include "platform/Clock.h"
#include "runner/ConsoleRunLog.h"

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

TaskResult runTask(const SelectedTask &task, taskstore::Connection &connection, ConsoleRunLog &log)
{
    TaskResult result;
    result.task = task;
    execution::RunEnvironment environment;
    environment.runConnection = &connection;
    environment.log = &log;
    execution::TMyThread run(task.taskId, environment);
    QEventLoop loop;
    QObject::connect(&run, &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    result.start = platform::Clock::now();
    run.Resume();
    loop.exec();
    run.wait();
    result.end = platform::Clock::now();
    result.lines = log.finishedLines();
    return result;
}

} // namespace runner
