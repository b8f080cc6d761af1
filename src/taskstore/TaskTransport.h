#pragma once

#include <QString>

namespace taskstore {

// How a task's client reaches the server and guards against forged replies, from the task's
// TaskTransport row. A task without a row has the defaults, under which the client's
// command line is the one it always was.
struct TaskTransport {
    QString Protocol = QStringLiteral("udp"); // "udp", "tcp" or "tls"
    QString CaFile;                           // TLS: the server certificate is verified against it
    QString CertFile;                         // TLS: client certificate, optional
    QString KeyFile;                          // TLS: its key
    bool MessageAuthenticatorFirst = true;    // in every Access-Request
    bool RequireMessageAuthenticator = false; // in every Access-Accept, -Reject and -Challenge

    bool isTls() const { return Protocol == QLatin1String("tls"); }
    bool operator==(const TaskTransport &) const = default;
};

} // namespace taskstore
