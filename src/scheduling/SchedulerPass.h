#pragma once

#include "scheduling/SchedulerEntry.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>

namespace scheduling {

// The scheduler's memory across passes and across restarts of its thread, used on the
// user-interface thread only: the last second covered (so a timed row whose second fell
// between two passes is due at the next one, once) and the once-rules without a start
// time that have started on their date (they start once, not after every run that day).
class SchedulerPass {
public:
    explicit SchedulerPass(const QDateTime &coveredUpTo);

    // The due entries in entry order; moves the covered time on to now.
    QList<SchedulerEntry> dueEntries(const QList<SchedulerEntry> &entries, const QDateTime &now);
    // Called when a run was started for the entry.
    void markStarted(const SchedulerEntry &entry);
    QDateTime coveredUpTo() const { return m_coveredUpTo; }

private:
    static bool startsOncePerDate(const SchedulerEntry &entry);
    static QString onceKey(const SchedulerEntry &entry);

    QDateTime m_coveredUpTo;
    QSet<QString> m_onceStarted;
};

} // namespace scheduling
