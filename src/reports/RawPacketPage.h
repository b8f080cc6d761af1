#pragma once

#include "reports/RawPacketSettings.h"

#include "taskdef/RequestRecord.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace reports {

// The "Raw Packet[s]" page: every request of the task's packet script file encoded and
// signed as the client would send it first, never sent, shown in hexadecimal.
class RawPacketPage {
public:
    // Called once, after the server address resolved; tests fix the authenticators there.
    using RequestSource = std::function<std::vector<taskdef::RequestRecord>()>;

    static QStringList lines(const RawPacketSettings &settings, const RequestSource &readRequests);
};

} // namespace reports
