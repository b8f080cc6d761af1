#include "taskstore/GroupStore.h"

#include "taskstore/DatabaseError.h"
#include "taskstore/NewRecordId.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/StoreAttempt.h"

namespace taskstore {

namespace {
StoreStatus execute(Connection &connection, const QString &statement)
{
    return attempt<std::monostate>([&] {
        Query query(connection);
        ExecQuery(query, statement);
        return std::monostate{};
    });
}
} // namespace

const QString GroupStore::kEmptyName = QStringLiteral("Group name is empty");

GroupStore::GroupStore(Connection &connection) : m_connection(connection)
{
}

StoreResult<QList<GroupRow>> GroupStore::groups()
{
    return attempt<QList<GroupRow>>([&] {
        Query query(m_connection);
        OpenQuery(query, sql::selectAllGroups());
        QList<GroupRow> rows;
        for (query.first(); !query.atEnd(); query.next())
            rows.append({query.asText(QStringLiteral("TaskGroupID")), query.asText(QStringLiteral("Name"))});
        return rows;
    });
}

StoreResult<QString> GroupStore::newGroupId()
{
    return attempt<QString>([&] {
        Query query(m_connection);
        return NewRecordId(query, KeyTable::TaskGroup);
    });
}

StoreStatus GroupStore::add(const QString &groupId, const QString &name)
{
    if (name.isEmpty())
        return StoreStatus::failure(kEmptyName);
    return execute(m_connection, sql::insertGroup(groupId, name));
}

StoreStatus GroupStore::rename(const QString &groupId, const QString &name)
{
    if (name.isEmpty())
        return StoreStatus::failure(kEmptyName);
    return execute(m_connection, sql::renameGroup(name, groupId));
}

StoreStatus GroupStore::remove(const QString &groupId)
{
    return execute(m_connection, sql::deleteGroup(groupId));
}

} // namespace taskstore
