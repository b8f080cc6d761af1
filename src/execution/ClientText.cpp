#include "execution/ClientText.h"

#include <QStringEncoder>

#include <algorithm>

namespace execution {

namespace {
constexpr char16_t kByteBase = 0xDC00;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at `at`, or 0 when its first byte stands alone.
// Overlong forms, surrogates and code points above U+10FFFF are not valid.
qsizetype sequenceLength(QByteArrayView bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[at + i]); };
    const unsigned char lead = byte(0);
    qsizetype length = 0;
    unsigned char low = 0x80, high = 0xBF; // bounds of the second byte
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > bytes.size() || byte(1) < low || byte(1) > high)
        return 0;
    for (qsizetype i = 2; i < length; ++i)
        if (!isContinuation(byte(i)))
            return 0;
    return length;
}

// The byte a lone surrogate of decodeClientBytes stands for, or -1.
int escapedByte(QStringView text, qsizetype at)
{
    const char16_t unit = text[at].unicode();
    if (unit < kByteBase + 0x80 || unit > kByteBase + 0xFF)
        return -1;
    if (at > 0 && text[at - 1].isHighSurrogate())
        return -1; // the second half of a real pair
    return unit - kByteBase;
}
// UTF-8 straight into the end of `bytes`, as QString::toUtf8 writes it.
void appendUtf8(QByteArray &bytes, QStringView text)
{
    if (text.isEmpty())
        return;
    // A surrogate without its partner becomes '?' there; the encoder would differ.
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); })) {
        bytes += text.toUtf8();
        return;
    }
    const qsizetype used = bytes.size();
    bytes.resize(used + text.size() * 3); // the most UTF-8 a UTF-16 unit needs
    QStringEncoder encoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    char *end = encoder.appendToBuffer(bytes.data() + used, text);
    bytes.truncate(end - bytes.constData());
}
} // namespace

QString decodeClientBytes(QByteArrayView bytes)
{
    QString text;
    qsizetype runStart = 0; // the valid UTF-8 not yet decoded
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype length = sequenceLength(bytes, at);
        if (length > 0) {
            at += length;
            continue;
        }
        text += QString::fromUtf8(bytes.sliced(runStart, at - runStart));
        text += QChar(char16_t(kByteBase + static_cast<unsigned char>(bytes[at])));
        runStart = ++at;
    }
    return text + QString::fromUtf8(bytes.sliced(runStart));
}

QByteArray encodeClientText(const QString &text)
{
    QByteArray bytes;
    appendClientText(bytes, text);
    return bytes;
}

void appendClientText(QByteArray &bytes, QStringView text)
{
    // Plain ASCII, the usual client line, is its own UTF-8.
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        const qsizetype used = bytes.size();
        bytes.resize(used + text.size());
        std::transform(text.begin(), text.end(), bytes.data() + used, [](QChar c) { return char(c.unicode()); });
        return;
    }
    qsizetype runStart = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const int byte = escapedByte(text, at);
        if (byte < 0)
            continue;
        appendUtf8(bytes, text.sliced(runStart, at - runStart));
        bytes += char(byte);
        runStart = at + 1;
    }
    appendUtf8(bytes, text.sliced(runStart));
}

QString visibleClientText(const QString &text)
{
    QString visible;
    qsizetype runStart = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const int byte = escapedByte(text, at);
        if (byte < 0)
            continue;
        visible += QStringView(text).sliced(runStart, at - runStart);
        visible += QStringLiteral("\\%1").arg(byte, 3, 8, QLatin1Char('0'));
        runStart = at + 1;
    }
    if (runStart == 0)
        return text; // nothing escaped: the same string, shared
    visible += QStringView(text).sliced(runStart);
    return visible;
}

} // namespace execution
