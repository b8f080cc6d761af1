#include "groupfile/QuotedBytes.h"

namespace groupfile {

namespace {
const char kHex[] = "0123456789ABCDEF";

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}
} // namespace

qsizetype utf8SequenceLength(QByteArrayView octets, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(octets[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > octets.size())
        return 0;
    for (qsizetype i = 1; i < length; ++i) {
        if (!isContinuation(byte(i)))
            return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (overlong || surrogate || code > 0x10FFFF)
        return 0;
    return length;
}

QByteArray quoted(QByteArrayView octets)
{
    QByteArray out;
    out.reserve(octets.size() + 2);
    out += '"';
    for (qsizetype i = 0; i < octets.size();) {
        const char c = octets[i];
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (u < 0x20 || u == 0x7F) {
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 0x0F];
        } else if (const qsizetype length = utf8SequenceLength(octets, i); length > 0) {
            out += octets.sliced(i, length);
            i += length;
            continue;
        } else {
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 0x0F];
        }
        ++i;
    }
    out += '"';
    return out;
}

std::optional<QByteArray> unquoted(QByteArrayView text, qsizetype *consumed, QString *reason)
{
    QByteArray out;
    for (qsizetype i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            *consumed = i + 1;
            return out;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= text.size())
            break;
        switch (text[i]) {
        case '"':
        case '\\': out += text[i]; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        case 'x': {
            const int high = i + 1 < text.size() ? hexDigit(text[i + 1]) : -1;
            const int low = i + 2 < text.size() ? hexDigit(text[i + 2]) : -1;
            if (high < 0 || low < 0) {
                *reason = QStringLiteral("\\x needs two hexadecimal digits");
                return std::nullopt;
            }
            out += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default: *reason = QStringLiteral("unknown escape \\%1").arg(QLatin1Char(text[i])); return std::nullopt;
        }
    }
    *reason = QStringLiteral("the quoted value is not closed");
    return std::nullopt;
}

} // namespace groupfile
