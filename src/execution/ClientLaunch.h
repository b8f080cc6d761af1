#pragma once

#include "taskstore/TaskRecord.h"

#include <QByteArray>
#include <QString>

namespace execution {

// How a task's client is started: the line that runs, and the secret written to the pipe
// it inherits as descriptor 3 (none: the secret is on the line).
struct ClientLaunch {
    QString commandLine;
    QByteArray handedSecret;

    // Our own clients get BuildPrivateCommandLine's line and the secret on the pipe; a
    // client of another origin, or a secret that would not survive the pipe, gets
    // BuildCommandLine's. Asks the client for its origin: call it off the user-interface thread.
    static ClientLaunch forTask(const taskstore::TaskRecord &task);
    // radclient -B on the task's server with its time-out and retries; the secret handed
    // over the same way.
    static ClientLaunch securityCheckFor(const taskstore::TaskRecord &task);
};

} // namespace execution
