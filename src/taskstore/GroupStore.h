#pragma once

#include "taskstore/StoreResult.h"

#include <QList>
#include <QString>

namespace taskstore {

class Connection;

struct GroupRow {
    QString id;   // TaskGroupID
    QString name; // as typed: never empty, not trimmed
};

// The task groups of the database. Nothing here throws: every call answers with its
// outcome, the database's text when a statement was rejected.
class GroupStore {
public:
    explicit GroupStore(Connection &connection);

    // Every group, in the order the database returns them.
    StoreResult<QList<GroupRow>> groups();
    // A key for a new group, drawn again while taken.
    StoreResult<QString> newGroupId();
    StoreStatus add(const QString &groupId, const QString &name);
    StoreStatus rename(const QString &groupId, const QString &name);
    // Removes the group's row only: its tasks stay, with a group key that names no group.
    StoreStatus remove(const QString &groupId);

    static const QString kEmptyName; // "Group name is empty"

private:
    Connection &m_connection;
};

} // namespace taskstore
