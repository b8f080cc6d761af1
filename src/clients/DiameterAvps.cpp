#include "clients/DiameterAvps.h"

namespace clients {

namespace {

constexpr quint8 kVendorFlag = 0x80;
constexpr quint8 kMandatoryFlag = 0x40;
constexpr int kHeader = 8;
constexpr int kVendorField = 4;

void appendNumber(QByteArray &out, quint32 value, int octets)
{
    for (int i = octets - 1; i >= 0; --i)
        out.append(char((value >> (8 * i)) & 0xff));
}

quint32 numberAt(const QByteArray &data, qsizetype at, int octets)
{
    quint32 value = 0;
    for (int i = 0; i < octets; ++i)
        value = (value << 8) | quint8(data[at + i]);
    return value;
}

} // namespace

QByteArray DiameterAvp::encode() const
{
    QByteArray out;
    const int header = kHeader + (vendor ? kVendorField : 0);
    appendNumber(out, code, 4);
    out.append(char(kMandatoryFlag | (vendor ? kVendorFlag : 0)));
    appendNumber(out, static_cast<quint32>(header + value.size()), 3);
    if (vendor)
        appendNumber(out, vendor, kVendorField);
    out += value;
    out.append(QByteArray((4 - out.size() % 4) % 4, '\0'));
    return out;
}

std::optional<std::vector<DiameterAvp>> DiameterAvp::parseAll(const QByteArray &data)
{
    std::vector<DiameterAvp> avps;
    qsizetype at = 0;
    while (at < data.size()) {
        if (data.size() - at < kHeader)
            return std::nullopt;
        DiameterAvp avp;
        avp.code = numberAt(data, at, 4);
        const bool hasVendor = quint8(data[at + 4]) & kVendorFlag;
        const qsizetype length = numberAt(data, at + 5, 3);
        const int header = kHeader + (hasVendor ? kVendorField : 0);
        if (length < header || at + length > data.size())
            return std::nullopt;
        if (hasVendor)
            avp.vendor = numberAt(data, at + kHeader, kVendorField);
        avp.value = data.mid(at + header, length - header);
        avps.push_back(avp);
        at += (length + 3) / 4 * 4;
    }
    return avps;
}

} // namespace clients
