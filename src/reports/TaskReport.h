#pragma once

#include <QString>
#include <QStringList>

namespace taskstore {
class Connection;
}

namespace reports {

// The three texts of the task view, built from the store and the task's packet script
// file. Reads only.
struct TaskReportTexts {
    QStringList description;
    QStringList packetText; // empty when the script file cannot be opened
    QStringList rawPackets; // likewise
};

class TaskReport {
public:
    // Throws taskstore::DatabaseError when a statement fails.
    static TaskReportTexts build(taskstore::Connection &connection, const QString &taskId);
};

} // namespace reports
