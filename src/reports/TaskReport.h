#pragma once

#include <QString>
#include <QStringList>

#include <functional>

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
    // The raw page resolves the server's address and may wait on the network; the
    // caller chooses where it runs. The store is read before, on the caller's thread.
    using Step = std::function<QStringList()>;
    using StepRunner = std::function<QStringList(const Step &)>;
    static QStringList runHere(const Step &step) { return step(); }

    // Throws taskstore::DatabaseError when a statement fails.
    static TaskReportTexts build(taskstore::Connection &connection, const QString &taskId,
                                 const StepRunner &runRawPage = &TaskReport::runHere);
};

} // namespace reports
