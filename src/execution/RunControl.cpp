#include "execution/RunControl.h"

#include "platform/Language.h"
#include "platform/MessageService.h"
#include "scheduling/Scheduler.h"

namespace execution {

RunControl::RunControl(const RunEnvironment &environment, QObject *parent) : QObject(parent), m_env(environment)
{
}

RunControl::~RunControl()
{
    shutDown();
}

void RunControl::runClicked(const QString &selectedTaskId)
{
    if (!mayStart(selectedTaskId))
        return;
    for (const Entry &entry : std::as_const(m_entries)) {
        if (entry.taskId == selectedTaskId && entry.run->isSuspended()) {
            entry.run->Resume();
            setState(RunCommandState::Running);
            return;
        }
    }
    TMyThread *run = createRun(selectedTaskId);
    appendEntry(selectedTaskId, run);
    run->Resume();
}

bool RunControl::mayStart(const QString &selectedTaskId) const
{
    if (m_closing)
        return false;
    if (selectedTaskId.isEmpty() || selectedTaskId == QLatin1String("0")) {
        platform::MessageService::instance().inform(
            platform::Language::text("frmMain", "SelectTask", "Please select a task."));
        return false;
    }
    return true;
}

void RunControl::checkSecurityClicked(const QString &selectedTaskId)
{
    if (!mayStart(selectedTaskId))
        return;
    TMyThread *run = createRun(selectedTaskId, &ClientLaunch::securityCheckFor);
    appendEntry(selectedTaskId, run);
    run->Resume();
}

void RunControl::suspendClicked(const QString &selectedTaskId)
{
    const qsizetype index = firstEntry(selectedTaskId);
    if (index < 0)
        return;
    TMyThread *run = m_entries[index].run;
    if (run->isSuspended())
        return;
    run->Suspend();
    setState(RunCommandState::Suspended);
}

void RunControl::stopClicked(const QString &selectedTaskId)
{
    const qsizetype index = firstEntry(selectedTaskId);
    if (index < 0)
        return;
    TMyThread *run = m_entries[index].run;
    run->Resume(); // a suspended run must run to notice the stop
    run->Terminate();
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
        setState(entry.run->isSuspended() ? RunCommandState::Suspended : RunCommandState::Running);
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
    run->setTrigger(taskstore::RunTrigger::Scheduled);
    run->Resume();
    appendEntry(taskId, run);
}

void RunControl::shutDown()
{
    m_closing = true;
    if (m_scheduler)
        m_scheduler->shutDown(); // its threads start runs: they go first
    m_entries.clear();
    Q_EMIT runningCountChanged(0);
    // Every run still going is told, also those stopped earlier that still read a silent
    // client, and suspended ones are woken.
    // Nothing can hold them then: a refused step ends a run, a silent client's reading is
    // left at once, a suspended run is woken. The client itself runs on.
    // What each received still goes to the log file.
    m_threads.endAll([](TMyThread &run) { run.shutDown(); }, [](TMyThread &run) { run.writeUnfinishedBlock(); });
}

TMyThread *RunControl::firstRunOf(const QString &taskId) const
{
    const qsizetype index = firstEntry(taskId);
    return index < 0 ? nullptr : m_entries[index].run;
}

TMyThread *RunControl::createRun(const QString &taskId, TMyThread::LaunchOf launchOf)
{
    auto run = std::make_unique<TMyThread>(taskId, m_env, nullptr, launchOf);
    const TMyThread *ended = run.get();
    connect(run.get(), &QThread::finished, this, [this, ended] { onRunEnded(ended); });
    setState(RunCommandState::Running);
    return m_threads.add(std::move(run));
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

void RunControl::onRunEnded(const TMyThread *run)
{
    if (!m_threads.retire(run, this))
        return;                           // already waited for and deleted at shut-down: not to be touched
    const QString taskId = run->taskId(); // deleted on the next event
    // Only this run's own entry goes: after Stop and Run again, the new run's entry stays.
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].run == run) {
            removeEntry(i);
            break;
        }
    }
    setState(RunCommandState::Idle);
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
