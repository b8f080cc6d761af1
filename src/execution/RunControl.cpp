#include "execution/RunControl.h"

#include "platform/DialogService.h"
#include "scheduling/EventWait.h"
#include "scheduling/Scheduler.h"

namespace execution {

RunControl::RunControl(const RunEnvironment &environment, QObject *parent)
    : QObject(parent)
    , m_env(environment)
{
}

RunControl::~RunControl()
{
    if (!m_threads.isEmpty())
        stopAll(2000);
    // A run that did not end is blocked on a hand-over that can no longer run: leave it
    // to the end of the process rather than destroy a running thread.
    for (TMyThread *run : std::as_const(m_threads)) {
        disconnect(run, nullptr, this, nullptr);
        if (run->wait(100))
            delete run;
    }
}

void RunControl::runClicked(const QString &selectedTaskId)
{
    if (selectedTaskId.isEmpty() || selectedTaskId == QLatin1String("0")) {
        platform::DialogService::instance().inform(QStringLiteral("Please select a task."));
        return;
    }
    for (const Entry &entry : std::as_const(m_entries)) {
        if (entry.taskId == selectedTaskId && entry.run && entry.run->isSuspended()) {
            entry.run->Resume();
            setState(RunCommandState::Running);
            return;
        }
    }
    TMyThread *run = createRun(selectedTaskId);
    appendEntry(selectedTaskId, run);
    run->Resume();
}

void RunControl::suspendClicked(const QString &selectedTaskId)
{
    const qsizetype index = firstEntry(selectedTaskId);
    if (index < 0)
        return;
    TMyThread *run = m_entries[index].run;
    if (!run || run->isSuspended())
        return;
    run->Suspend();
    setState(RunCommandState::Suspended);
}

void RunControl::stopClicked(const QString &selectedTaskId)
{
    const qsizetype index = firstEntry(selectedTaskId);
    if (index < 0)
        return;
    if (TMyThread *run = m_entries[index].run) {
        run->Resume(); // a suspended run must run to notice the stop
        run->Terminate();
    }
    removeEntry(index);
    setState(RunCommandState::Idle);
}

void RunControl::updateCommandStates(const QString &selectedTaskId)
{
    for (const Entry &entry : std::as_const(m_entries)) {
        if (entry.taskId != selectedTaskId) {
            setState(RunCommandState::Idle);
            continue;
        }
        setState(entry.run && entry.run->isSuspended() ? RunCommandState::Suspended
                                                       : RunCommandState::Running);
        return;
    }
}

bool RunControl::isRunning(const QString &taskId) const
{
    return firstEntry(taskId) >= 0;
}

void RunControl::startRun(const QString &taskId)
{
    if (m_closing)
        return; // a scheduler pass that was under way when the program began to close
    TMyThread *run = createRun(taskId);
    run->Resume();
    appendEntry(taskId, run);
}

bool RunControl::stopAll(int milliseconds)
{
    m_closing = true;
    if (m_scheduler)
        m_scheduler->stop();
    // Every run still going is told, also those stopped earlier that still read a silent
    // client, and suspended ones are woken: the process must be able to end.
    for (TMyThread *run : std::as_const(m_threads))
        run->Abandon();
    m_entries.clear();
    Q_EMIT runningCountChanged(0);
    return scheduling::waitProcessingEvents(
        [this] { return m_threads.isEmpty() && (!m_scheduler || !m_scheduler->hasThreads()); },
        milliseconds);
}

TMyThread *RunControl::firstRunOf(const QString &taskId) const
{
    const qsizetype index = firstEntry(taskId);
    return index < 0 ? nullptr : m_entries[index].run.data();
}

TMyThread *RunControl::createRun(const QString &taskId)
{
    auto *run = new TMyThread(taskId, m_env);
    connect(run, &QThread::finished, this, [this, run] { onRunEnded(run); });
    m_threads << run;
    setState(RunCommandState::Running);
    return run;
}

void RunControl::appendEntry(const QString &taskId, TMyThread *run)
{
    m_entries.append({taskId, run});
    Q_EMIT runningCountChanged(runningCount());
}

void RunControl::removeEntry(qsizetype index)
{
    m_entries.removeAt(index);
    Q_EMIT runningCountChanged(runningCount());
}

void RunControl::onRunEnded(TMyThread *run)
{
    run->wait();
    const QString taskId = run->taskId();
    // Only this run's own entry goes: after Stop and Run again, the new run's entry stays.
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].run == run) {
            removeEntry(i);
            break;
        }
    }
    setState(RunCommandState::Idle);
    m_threads.removeAll(run);
    run->deleteLater();
    Q_EMIT runEnded(taskId);
}

void RunControl::setState(RunCommandState state)
{
    m_state = state;
    Q_EMIT commandStatesChanged(state);
}

qsizetype RunControl::firstEntry(const QString &taskId) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].taskId == taskId)
            return i;
    return -1;
}

} // namespace execution
