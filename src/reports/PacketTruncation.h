#pragma once

#include "radius/PairList.h"

#include <QByteArray>
#include <QString>

namespace reports {

// The library's encoder stops adding attributes once the next one would take the packet
// past 4096 octets, and still reports success. A packet cut that way is not the task's
// packet, so the page reports it as a failed encoding.
class PacketTruncation {
public:
    static constexpr int kMaxPacket = 4096;
    static bool isTruncated(const radius::PairList &pairs, const QByteArray &packet);
    static QString message();
};

} // namespace reports
