#pragma once

#include "groupfile/GroupDocument.h"

#include <QString>

namespace taskstore {
class Connection;
}

namespace groupfile {

// The stored group `groupId` with every task that belongs to it: values, schedule rules
// and packet script files as they are. Throws taskstore::DatabaseError, and
// taskdef::SaveError when a script file exists but cannot be read.
GroupDocument exportGroup(taskstore::Connection &connection, const QString &groupId, const QString &groupName);

} // namespace groupfile
