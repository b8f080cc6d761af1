#pragma once

#include <QString>

namespace taskstore {

// What an enterprise mode (PEAP, EAP-TTLS, EAP-TLS...) needs beyond the packet, from the
// task's TaskEapSettings row. A task without a row has the defaults; which values a mode
// uses is the mode's business (AuthMode.h).
struct TaskEapSettings {
    QString AnonymousIdentity; // outer identity of PEAP and EAP-TTLS; empty: the user's own
    QString InnerMethod;       // EAP-TTLS: "pap", "mschapv2" or "md5"
    QString CaFile;            // the server certificate is checked against it; empty: the system's store
    bool VerifyServer = true;  // false: the server certificate is not checked at all
    QString CertFile;          // client certificate (EAP-TLS; optional in the tunnels)
    QString KeyFile;           // its key

    bool operator==(const TaskEapSettings &) const = default;
};

} // namespace taskstore
