#pragma once

#include "taskstore/ScheduleRecord.h"

#include <QList>
#include <QString>

namespace taskstore {
class Query;
}

namespace scheduling {

// Opens `sql` on the query and reads every TaskSchedule row it returns, in order.
// Throws DatabaseError.
QList<taskstore::ScheduleRecord> readScheduleRows(taskstore::Query &query, const QString &sql);

} // namespace scheduling
