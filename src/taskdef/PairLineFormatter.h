#pragma once

#include <QByteArray>
#include <QString>

namespace taskdef {

// "name = value" as the script file and the import text hold it, by the quoting rule:
// a value already in double quotes stays as it is, one with a blank, comma or semicolon
// is put in double quotes, any other is written bare. Control characters are written
// as escapes so that a value can never end the line or start a new one.
class PairLineFormatter {
public:
    // The line without its line end; value is trimmed of blanks first.
    static QByteArray format(const QString &name, const QString &value);
    // Whether line reads back as exactly one pair named name.
    static bool readsBack(const QByteArray &line, const QString &name);

    // The value as the readers take it from the line format() writes, however long: its
    // octets (escapes undone) and the characters of the line it takes.
    struct WrittenValue {
        QByteArray octets;
        int characters = 0;
    };
    static WrittenValue writtenValue(const QString &value);

private:
    static QByteArray quotingRule(const QByteArray &name, const QByteArray &value);
    static QByteArray escapeControls(const QByteArray &value);
    static QByteArray literal(const QByteArray &value);
};

} // namespace taskdef
