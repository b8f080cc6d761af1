#include "taskdef/OctetText.h"

namespace taskdef {

QString OctetText::toText(QByteArrayView octets)
{
    return QString::fromUtf8(escapeNonUtf8(octets));
}

QByteArray OctetText::escapeNonUtf8(QByteArrayView octets)
{
    QByteArray out;
    out.reserve(octets.size());
    for (qsizetype i = 0; i < octets.size();) {
        const qsizetype length = utf8SequenceLength(octets, i);
        if (length == 0) {
            out += octalEscape(static_cast<unsigned char>(octets[i]));
            ++i;
        } else {
            out += octets.sliced(i, length);
            i += length;
        }
    }
    return out;
}

QByteArray OctetText::octalEscape(unsigned char octet)
{
    QByteArray out("\\");
    for (int shift = 6; shift >= 0; shift -= 3)
        out += char('0' + ((octet >> shift) & 7));
    return out;
}

qsizetype OctetText::utf8SequenceLength(QByteArrayView octets, qsizetype at)
{
    const auto octet = [&](qsizetype i) { return static_cast<unsigned char>(octets[i]); };
    const unsigned char lead = octet(at);
    if (lead < 0x80)
        return 1;
    // The second octet's range rules out overlong forms, surrogates and codes past U+10FFFF.
    qsizetype length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (at + length > octets.size())
        return 0;
    for (qsizetype i = 1; i < length; ++i) {
        const unsigned char c = octet(at + i);
        if (c < (i == 1 ? low : 0x80) || c > (i == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

} // namespace taskdef
