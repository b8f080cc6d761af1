#include "reports/EapMessage.h"

namespace reports {

QByteArray EapMessage::packet(int code, int identifier, int type, const QByteArray &data)
{
    const bool headerOnly = (code & 0xff) == 3 || (code & 0xff) == 4;
    const int length = headerOnly ? 4 : 5 + int(data.size());
    QByteArray out;
    out.append(char(code & 0xff));
    out.append(char(identifier & 0xff));
    out.append(char((length >> 8) & 0xff));
    out.append(char(length & 0xff));
    if (!headerOnly) {
        out.append(char(type & 0xff));
        out.append(data);
    }
    return out;
}

QList<QByteArray> EapMessage::attributeValues(const QByteArray &packet)
{
    QList<QByteArray> pieces;
    for (qsizetype at = 0; at < packet.size(); at += kMaxAttributeValue)
        pieces << packet.mid(at, kMaxAttributeValue);
    return pieces;
}

} // namespace reports
