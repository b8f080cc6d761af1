#pragma once

#include "radius/MessageAuthenticator.h"
#include "taskstore/TaskRecord.h"

#include <QByteArray>
#include <QString>

namespace reports {

// What the raw page takes from a task for one build.
struct RawPacketSettings {
    QString serverIp;
    int defaultPort = 0;
    int defaultCode = 0; // -1: none, every request must set its own
    QByteArray secret;
    int startId = 0;
    bool eapMode = false;
    // An enterprise mode's name: its client computes the requests while it runs, so the page
    // says so instead of showing octets the client would not send. Empty for the other modes.
    QString modeComputedByClient;
    int fallbackEapId = 0; // EAP identifier of a request without EAP-Id
    radius::MessageAuthenticatorPlacement placement = radius::MessageAuthenticatorPlacement::First;

    // The process number's low octet serves as the fallback EAP identifier.
    static RawPacketSettings fromTask(const taskstore::TaskRecord &task);
};

} // namespace reports
