#pragma once

#include "groupfile/GroupImport.h"

#include <QDateTime>
#include <QString>

namespace taskstore {
class Connection;
}

namespace groupfile {

// Writes the stored group to `path` in one step: a failed write leaves the previous file
// whole. Answers the reason when it failed, else an empty text.
QString exportGroupToFile(taskstore::Connection &connection, const QString &groupId, const QString &groupName,
                          const QString &path);

struct ImportResult {
    ImportedGroup imported;
    QString groupName;
    QString error; // "line 12: ..." for a file that does not read; nothing was stored then
    bool ok() const { return error.isEmpty(); }
};

// Reads the group file at `path` and imports it whole, or nothing at all.
ImportResult importGroupFromFile(taskstore::Connection &connection, const QString &path, const QDateTime &now);

} // namespace groupfile
