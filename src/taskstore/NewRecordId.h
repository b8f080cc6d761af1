#pragma once

#include <QString>

#include <functional>

namespace taskstore {

class Query;

// A key for a new task, group, server or attribute row: the decimal text of a
// pseudo-random integer from 0 to 999998.
QString NewRecordId();

// The tables whose keys must stay unique.
enum class KeyTable { Task, TaskGroup, Server };

// NewRecordId, drawn again while the key is taken in its table. Throws DatabaseError.
QString NewRecordId(Query &query, KeyTable table, const std::function<QString()> &draw = {});

} // namespace taskstore
