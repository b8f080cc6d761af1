#include "execution/TMyThread.h"

#include "execution/ClientCommandLine.h"
#include "execution/ClientLaunch.h"
#include "execution/RunJudgement.h"
#include "execution/RunLogFile.h"
#include "execution/RunLogView.h"
#include "execution/TaskListUpdater.h"
#include "platform/Clock.h"
#include "platform/ManualRunText.h"
#include "platform/UiStep.h"
#include "scheduling/ScheduleRules.h"
#include "taskstore/DateTimeText.h"
#include "taskstore/ExpectationStore.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskReader.h"
#include "verdict/VerdictText.h"

#include <exception>

namespace execution {

namespace {
QString banner(const char *what, const QString &time, const QString &taskName)
{
    return QStringLiteral("--------------------") + time + QLatin1String(what) + taskName
        + QStringLiteral("]-------------------------");
}

QString nowText()
{
    return taskstore::DateTimeText::dateTimeText(platform::Clock::now());
}
} // namespace

TMyThread::TMyThread(const QString &taskId, const RunEnvironment &environment, QObject *parent, LaunchOf launchOf)
    : QThread(parent), m_taskId(taskId), m_env(environment), m_launchOf(launchOf), m_settings(Settings::read())
{
}

void TMyThread::Resume()
{
    if (!isRunning() && !isFinished())
        start(m_settings.threadPriority());
    m_flags.resume();
}

void TMyThread::shutDown()
{
    m_flags.abandon();
    m_line.close();
}

void TMyThread::run()
{
    const platform::HandOverLine::Binding binding(m_line);
    if (m_flags.stopRequested())
        return;
    try {
        runSequence();
    } catch (const std::exception &) {
        // An error ends the run silently; its page keeps what it holds.
    }
}

// Runs a step on the user-interface thread; an error raised there comes back here.
void TMyThread::onUi(const std::function<void()> &step)
{
    m_flags.checkpoint();
    platform::runUiStep(step);
}

void TMyThread::runSequence()
{
    m_start = platform::Clock::now();
    m_startText = taskstore::DateTimeText::dateTimeText(m_start);
    taskstore::TaskRecord task;
    onUi([&] {
        taskstore::Query query(*m_env.runConnection);
        task = taskstore::readTaskRecord(query, m_taskId);
    });
    m_taskName = task.TaskName;
    onUi([&] { m_page = m_env.log->openRunPage(m_taskName, m_settings); });
    writeBanner(banner(" Test started  [", m_startText, m_taskName));

    RunJudgement judgement;
    ClientLaunch launch = m_launchOf(task);
    launch.commandLine = judgement.commandLineToStart(launch.commandLine);
    RunClient(
        launch.commandLine,
        [this, &judgement](const QList<ClientLine> &lines) {
            judgement.noteLines(lines);
            appendToPage(lines);
        },
        m_flags, launch.handedSecret);

    recordVerdict(judgement, task);
    stampScheduleRows();
    onUi([&] {
        taskstore::Query query(*m_env.runConnection);
        taskstore::OpenQuery(query, taskstore::sql::selectRunType(m_taskId));
        const int runType = query.asInteger(QStringLiteral("RunType"));
        QString display;
        if (runType == taskstore::kRunManually) {
            display = platform::manualRunText();
        } else if (runType == taskstore::kRunBySchedule) {
            taskstore::OpenQuery(query, taskstore::sql::selectRunNextRunTime(m_taskId));
            display = query.asText(QStringLiteral("NextRunTime"));
        }
        if (m_env.taskList)
            m_env.taskList->showRunTimes(m_taskId, m_startText, display);
    });
    writeBanner(banner(" Test finished [", nowText(), m_taskName));
    m_finishWritten = true;
    onUi([&] { RunLogFile::appendBlock(m_settings.LogFileName, m_lines); });
    m_blockWritten = true;
    onUi([&] {
        m_env.log->finishRunPage(m_page, m_lines);
        m_page = nullptr;
    });
}

void TMyThread::writeUnfinishedBlock()
{
    if (m_blockWritten || m_lines.isEmpty())
        return;
    if (!m_finishWritten)
        m_lines << banner(" Test finished [", nowText(), m_taskName);
    RunLogFile::appendBlock(m_settings.LogFileName, m_lines);
    m_blockWritten = true;
}

void TMyThread::recordVerdict(RunJudgement &judgement, const taskstore::TaskRecord &task)
{
    QList<taskstore::PacketExpectation> expectations;
    onUi([&] {
        const auto read = taskstore::ExpectationStore(*m_env.runConnection).expectationsOf(m_taskId);
        expectations = read.value(); // one that does not read judges as none
    });
    RunReport report;
    report.verdict = judgement.judge(expectations, packetCountOf(m_taskId), task.RepeatTimes, m_flags.stopRequested());
    report.records = judgement.records();
    report.historyRow =
        judgement.historyRow(m_taskId, m_start, platform::Clock::now(), m_trigger, report.verdict.verdict);
    report.judged = true;
    m_report = std::move(report);

    // Another origin's client leaves the log as it always was; its row says "not evaluated".
    if (judgement.recordsAsked()) {
        const MessageClass lineClass =
            m_report.verdict.verdict == taskstore::Verdict::Fail ? MessageClass::Warning : MessageClass::Info;
        QList<ClientLine> lines;
        for (const QString &line : verdict::verdictLines(m_report.verdict))
            lines << ClientLine{line, lineClass};
        onUi([&] { appendToPage(lines); });
    }

    onUi([&] {
        // A history that cannot be written loses the row, not the run.
        (void)taskstore::RunHistoryStore(*m_env.runConnection).add(m_report.historyRow);
        if (m_env.taskList)
            m_env.taskList->showVerdict(m_taskId, m_report.verdict.verdict);
    });
}

void TMyThread::stampScheduleRows()
{
    QList<taskstore::ScheduleRecord> rows;
    onUi([&] {
        taskstore::Query query(*m_env.runConnection);
        rows = taskstore::readScheduleRows(query, taskstore::sql::selectRunSchedules(m_taskId));
    });
    // Every row is held: a task may have any number of schedules.
    for (const taskstore::ScheduleRecord &row : std::as_const(rows)) {
        const QDateTime now = platform::Clock::now();
        if (row.NextRunTime.isValid() && row.NextRunTime.msecsTo(now) < 1)
            continue; // not due: keeps its next and last run time
        const QString next = scheduling::FollowingNextRun(row, now);
        onUi([&] {
            taskstore::Query query(*m_env.runConnection);
            taskstore::ExecQuery(query, taskstore::sql::updateRunTimes(next, m_startText, row.TaskSchID));
        });
    }
}

void TMyThread::appendToPage(const QList<ClientLine> &lines)
{
    m_page->appendLines(lines);
    for (const ClientLine &line : lines)
        m_lines << line.text;
}

void TMyThread::writeBanner(const QString &text)
{
    onUi([&] { appendToPage({ClientLine{text, MessageClass::Info}}); });
}

} // namespace execution
