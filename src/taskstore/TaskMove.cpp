#include "taskstore/TaskMove.h"

#include "taskstore/DatabaseError.h"
#include "taskstore/Query.h"

namespace taskstore {

namespace {
QString quoted(QString text)
{
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}
} // namespace

StoreStatus moveTaskToGroup(Connection &connection, const QString &taskId, const QString &groupId)
{
    try {
        Query query(connection);
        ExecQuery(
            query,
            QStringLiteral("update Task set [GroupID]=%1 where [TaskID]=%2").arg(quoted(groupId), quoted(taskId)));
        return StoreStatus::success();
    } catch (const DatabaseError &error) {
        return StoreStatus::failure(error.text());
    }
}

} // namespace taskstore
