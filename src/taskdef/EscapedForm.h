#pragma once

#include <QByteArrayView>
#include <QString>

namespace taskdef {

// The value text the task editor keeps: what, written to the script file, reads back as
// the value. A backslash goes before each of { } ( ) , ; # = > < and before the backslash
// and the three quotes, and before a blank at either end, so that a value read from the
// file survives the next save; an octet outside UTF-8 is written as its octal escape.
class EscapedForm {
public:
    static QString fromOctets(QByteArrayView value);
    static QString fromValue(const QString &value) { return fromOctets(value.toUtf8()); }
    static bool isSpecial(QChar c);
    // Without the blanks at either end, except a last blank that a backslash escapes.
    static QString trimBlanks(const QString &value);
};

} // namespace taskdef
