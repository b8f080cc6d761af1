#pragma once

#include "taskstore/StoreResult.h"

#include <QString>

namespace taskstore {

class Connection;

// Puts a task into another group ("AllTask" for none); the database's text when refused.
StoreStatus moveTaskToGroup(Connection &connection, const QString &taskId, const QString &groupId);

} // namespace taskstore
