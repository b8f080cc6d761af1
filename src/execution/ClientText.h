#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace execution {

// A client's output line travels as a QString that still holds the client's bytes: valid
// UTF-8 decodes as usual, and every byte that is not part of valid UTF-8 becomes the lone
// surrogate U+DC00 + byte, which no decoding of valid UTF-8 can produce. So the log file
// gets the bytes exactly as the client wrote them, while the panes show such a byte as a
// backslash and three octal digits ("caf\351" for Latin-1 "café"), never as U+FFFD.
QString decodeClientBytes(QByteArrayView bytes);

// The bytes a decoded line came from; other text is written as UTF-8.
QByteArray encodeClientText(const QString &text);
// The same bytes added to the end of `bytes`, without a buffer of their own.
void appendClientText(QByteArray &bytes, QStringView text);

// The line as the panes show it: each byte that was not UTF-8 as "\ooo".
QString visibleClientText(const QString &text);

} // namespace execution
