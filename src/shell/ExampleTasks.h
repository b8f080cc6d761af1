#pragma once

#include "taskdef/PacketTable.h"
#include "taskstore/TaskRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace taskstore {
class Connection;
}

namespace shell {

// Where the example tasks send: by default the demo server (scripts/demo-server.sh).
struct ExampleEndpoint {
    QString address;
    QString secret;
    quint16 authPort = 0;
    quint16 acctPort = 0;
    quint16 coaPort = 0;
    static ExampleEndpoint demoServer();
};

// One task per request kind and mode, each answered by the demo server's users.
struct ExampleTask {
    QString name;
    int requestType = taskstore::kAuth;
    QString mode;
    quint16 port = 0;
    QList<QPair<QString, QString>> pairs; // one packet: name and escaped value
};

class ExampleTasks {
public:
    static inline const QString kGroupName = QStringLiteral("Examples");

    static QList<ExampleTask> tasks(const ExampleEndpoint &endpoint);

    // Adds the group "Examples" when there is none and each example task the group does
    // not hold yet (by name), saved as the task editor saves a task. Returns how many
    // tasks were added. Throws what TaskSaver and the queries throw.
    static int load(taskstore::Connection &connection, const ExampleEndpoint &endpoint, const QDateTime &now);
};

} // namespace shell
