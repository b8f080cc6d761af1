#pragma once

#include <QString>

namespace taskdef {

// The value text the task editor keeps: what, written to the script file, reads back as
// the value. A backslash goes before each of { } ( ) , ; # = > < and before the backslash
// and the three quotes, and before a blank at either end, so that a value read from the
// file survives the next save.
class EscapedForm {
public:
    static QString fromValue(const QString &value);
    static bool isSpecial(QChar c);
};

} // namespace taskdef
