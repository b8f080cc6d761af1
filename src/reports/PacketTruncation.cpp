#include "reports/PacketTruncation.h"

namespace reports {

namespace {

// Pairs that reach the wire: all but the dictionary's internal attributes.
int wirePairs(const radius::PairList &pairs)
{
    int count = 0;
    for (int i = 0; i < pairs.size(); ++i) {
        const radius::AttributeInfo attribute = pairs.at(i).attribute;
        if (attribute.vendor != 0 || attribute.number < 256)
            ++count;
    }
    return count;
}

int topLevelAttributes(const QByteArray &packet)
{
    int count = 0;
    for (qsizetype at = 20; at + 1 < packet.size(); at += qMax(2, int(quint8(packet.at(at + 1)))))
        ++count;
    return count;
}

} // namespace

bool PacketTruncation::isTruncated(const radius::PairList &pairs, const QByteArray &packet)
{
    // An attribute is at most 255 octets: only a packet that close to the limit can have
    // lost one for lack of room.
    if (packet.size() <= kMaxPacket - 255)
        return false;
    return topLevelAttributes(packet) < wirePairs(pairs);
}

QString PacketTruncation::message()
{
    return QStringLiteral("Too many attributes for packet, result is larger than RFC maximum of 4k");
}

} // namespace reports
