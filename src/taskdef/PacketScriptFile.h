#pragma once

#include "taskdef/PacketTable.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace taskdef {

// The per-task packet script file: script/<TaskID>.txt in the program directory, read by
// the external client and by this program's readers, written only by the task editor.
class PacketScriptFile {
public:
    static QString pathFor(const QString &taskId);

    // Deletes the task's file; a file that does not exist is not an error.
    static bool remove(const QString &taskId, QString *error = nullptr);

    // Writes every packet of table in tree order, each pair line by the quoting rule, an
    // empty line after each packet; CR LF line ends. The file is replaced as a whole, so a
    // failed write leaves the earlier file as it was.
    static bool write(const QString &path, const PacketTable &table, QString *error = nullptr);
    static QByteArray content(const PacketTable &table);

    // A row whose line would not read back as one pair, and why.
    struct RowProblem {
        QString packet;
        QString attribute;
        int valueCharacters = 0; // what the value takes of the line
        QString lineError;       // the reader's reason when the value is not too long
        bool valueTooLong() const;
        // "packet, attribute: reason"; tooLong takes the characters and the limit.
        QString
        text(const QString &tooLong = QStringLiteral("the value takes %1 characters of a line, at most %2")) const;
    };
    // Such rows (a bad name, a value longer than a value word may be), so the editor can
    // refuse to save them.
    static QList<RowProblem> rowProblems(const PacketTable &table);
    // The same, one text per row naming packet, attribute and reason.
    static QStringList problems(const PacketTable &table);
};

} // namespace taskdef
