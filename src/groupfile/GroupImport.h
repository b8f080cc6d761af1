#pragma once

#include "groupfile/GroupDocument.h"

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>

namespace taskstore {
class Connection;
}

namespace groupfile {

// What an import stored.
struct ImportedGroup {
    QString groupId;
    bool groupCreated = false;
    QStringList taskIds;
    QStringList taskNames; // as stored, suffixes included
};

// `name`, or when taken "name (2)", "name (3)" … whichever is free first.
QString freeName(const QString &name, const QSet<QString> &taken);

// Stores the group's tasks as new tasks, saved as the task editor saves them: into the
// group of that name (made when there is none), each under a new key and a name no
// stored task has. Nothing stored is changed. Either every task is stored or, when a
// step fails, what was stored of the import is removed again before the error goes on:
// throws taskstore::DatabaseError, taskdef::SaveError or scheduling::ScheduleError.
ImportedGroup importGroup(taskstore::Connection &connection, const GroupDocument &document, const QDateTime &now);

} // namespace groupfile
