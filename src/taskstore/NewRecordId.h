#pragma once

#include <QString>

namespace taskstore {

// A key for a new task, group, server or attribute row: the decimal text of a
// pseudo-random integer from 0 to 999998.
QString NewRecordId();

} // namespace taskstore
