#pragma once

#include "taskdef/AttributeRow.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace taskdef {

// A task's packets as the task editor holds them: the packet node texts in tree order and
// the master list's rows in list order.
class PacketTable {
public:
    QStringList packets;
    QList<AttributeRow> rows;

    // Rows whose PackageID, trimmed, equals packet, in list order.
    QList<AttributeRow> rowsOf(const QString &packet) const;
    QSet<QString> usedKeys() const;
    // "Packet%d" with counter, passing over the names of packets there are; counter ends
    // one past the name taken.
    QString takeFreeName(int &counter) const;
    // A new row key, the decimal text of a pseudo-random number from 0 to 999998 that no
    // row of the table carries yet.
    QString drawUniqueKey() const;
    static QString drawUniqueKey(const QSet<QString> &used);
};

} // namespace taskdef
