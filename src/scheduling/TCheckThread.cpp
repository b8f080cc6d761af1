#include "scheduling/TCheckThread.h"

#include "platform/Clock.h"
#include "platform/UiStep.h"
#include "scheduling/RunStarter.h"
#include "scheduling/SchedulerPass.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"

#include <exception>

using platform::runUiStep;

namespace scheduling {

namespace {
constexpr int kPauseMs = 1000;
} // namespace

TCheckThread::TCheckThread(taskstore::Connection &checkConnection, RunStarter &starter, SchedulerPass &pass,
                           QObject *parent)
    : QThread(parent), m_connection(checkConnection), m_starter(starter), m_pass(pass)
{
}

void TCheckThread::Terminate()
{
    requestInterruption();
    platform::Clock::wakeSleepers();
}

void TCheckThread::shutDown()
{
    Terminate();
    m_line.close();
}

void TCheckThread::run()
{
    const platform::HandOverLine::Binding binding(m_line);
    try {
        runPasses();
    } catch (const std::exception &) {
        // An error in a pass, or a step refused at shut-down, ends the scheduler without a
        // message; a restart brings it back.
    }
}

void TCheckThread::runPasses()
{
    while (!stopRequested()) {
        QList<SchedulerEntry> due;
        runUiStep([&] {
            taskstore::Query query(m_connection);
            taskstore::OpenQuery(query, taskstore::sql::selectCheckRows());
            QList<SchedulerEntry> entries;
            for (query.first(); !query.atEnd(); query.next())
                entries << SchedulerEntry{
                    query.asText(QStringLiteral("TaskID")), query.asInteger(QStringLiteral("ScheduleType")),
                    query.asDateTime(QStringLiteral("NextRunTime")), query.asText(QStringLiteral("StartTime"))};
            due = m_pass.dueEntries(entries, platform::Clock::now());
        });
        for (const SchedulerEntry &entry : due) {
            if (stopRequested())
                return;
            bool running = true;
            runUiStep([&] { running = m_starter.isRunning(entry.TaskID); });
            if (!running) {
                runUiStep([&] {
                    m_starter.startRun(entry.TaskID);
                    m_pass.markStarted(entry);
                });
            }
        }
        const QDateTime pauseEnds = platform::Clock::now().addMSecs(kPauseMs);
        Q_EMIT pausing();
        platform::Clock::sleepUntil(pauseEnds, [this] { return stopRequested(); });
    }
}

} // namespace scheduling
