#include "scheduling/SchedulerPass.h"

#include "taskstore/ScheduleRecord.h"

namespace scheduling {

SchedulerPass::SchedulerPass(const QDateTime &coveredUpTo) : m_coveredUpTo(coveredUpTo)
{
}

QList<SchedulerEntry> SchedulerPass::dueEntries(const QList<SchedulerEntry> &entries, const QDateTime &now)
{
    QList<SchedulerEntry> due;
    for (const SchedulerEntry &entry : entries) {
        if (!IsDueSince(entry, m_coveredUpTo, now))
            continue;
        if (startsOncePerDate(entry) && m_onceStarted.contains(onceKey(entry)))
            continue;
        due << entry;
    }
    if (!m_coveredUpTo.isValid() || now > m_coveredUpTo)
        m_coveredUpTo = now;
    return due;
}

void SchedulerPass::markStarted(const SchedulerEntry &entry)
{
    if (startsOncePerDate(entry))
        m_onceStarted.insert(onceKey(entry));
}

bool SchedulerPass::startsOncePerDate(const SchedulerEntry &entry)
{
    // Its date does not move after a run, so without this it would start after every run.
    return !entry.isTimed() && entry.ScheduleType >= taskstore::kOnce;
}

QString SchedulerPass::onceKey(const SchedulerEntry &entry)
{
    return entry.TaskID + QLatin1Char('\n') + entry.NextRunTime.date().toString(Qt::ISODate);
}

} // namespace scheduling
