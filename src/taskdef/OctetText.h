#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace taskdef {

// A value is octets, and not every value is UTF-8 (older tools wrote Latin-1). As text,
// each octet that is not part of a UTF-8 sequence is shown as a backslash and three octal
// digits, which the script file's readers turn back into that octet: written to the file,
// the text keeps the value's octets.
class OctetText {
public:
    static QString toText(QByteArrayView octets);
    // The octets with each one outside a UTF-8 sequence replaced by its octal escape.
    static QByteArray escapeNonUtf8(QByteArrayView octets);
    // A backslash and the octet's code in three octal digits.
    static QByteArray octalEscape(unsigned char octet);
    // The length of the UTF-8 sequence starting at octets[at]; 0 when none does.
    static qsizetype utf8SequenceLength(QByteArrayView octets, qsizetype at);
};

} // namespace taskdef
