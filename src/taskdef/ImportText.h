#pragma once

#include "taskdef/PacketTable.h"

#include <QByteArray>
#include <QString>

namespace taskdef {

// The plain text of the task editor's Import and Export: a line "#" + packet name starts a
// packet, each other line is "name = value" by the quoting rule; no escapes are applied.
class ImportText {
public:
    // Each packet as a bare line feed, "#", its name and CR LF, then its pair lines, each
    // followed by CR LF.
    static QByteArray exportText(const PacketTable &table);
    static bool exportToFile(const QString &path, const PacketTable &table, QString *error = nullptr);

    struct Imported {
        QStringList packets; // the new packet node texts, in order
        QList<AttributeRow> rows;
    };
    // Reads import text: new packets named "Packet%d" from packetCounter (which goes up by
    // one for each), passing over names that table's packets have; rows with keys unique among table's rows and each
    // other. Pair lines before the first "#" line start a packet of their own, so that they are not lost.
    static Imported importText(const QByteArray &text, const PacketTable &table, int &packetCounter);
    // The same from a file; false with the system's error text when it cannot be read.
    static bool importFile(const QString &path, PacketTable &table, int &packetCounter, QString *error = nullptr);
};

} // namespace taskdef
