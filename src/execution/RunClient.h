#pragma once

#include "execution/MessageClass.h"

#include <QList>
#include <QString>

#include <functional>

namespace execution {

class RunFlags;

struct ClientLine {
    QString text; // the bytes as written (decodeClientBytes), without the line end, cut at a NUL
    MessageClass messageClass = MessageClass::Info;
};

// Runs on the user-interface thread with consecutive lines in output order; the reader
// waits until it has returned.
using LineSink = std::function<void(const QList<ClientLine> &)>;

// Starts the client and delivers every output line until the output ends or a stop is
// noticed (the stop flag is tested after every byte). Lines are cut at 4096 bytes; a
// final line without line end is delivered too. Lines are handed over in batches: a
// batch goes out when the client pauses for a few milliseconds, when it grows large, and
// before any stop. Failures are shown through the dialog service and the call returns.
// Never waits for the client to exit and never ends it. A handedSecret is written to a pipe
// the client inherits as descriptor 3 (ClientLaunch), and closed before it starts.
void RunClient(const QString &commandLine, const LineSink &lineSink, RunFlags &flags,
               const QByteArray &handedSecret = {});

} // namespace execution
