#pragma once

#include "taskdef/PacketTable.h"

#include <QString>

namespace taskdef {

// The packets of the task being edited and the editor's operations on them, without the
// window. Keeps every row key unique among the task's rows, so that deleting one
// attribute deletes exactly that row.
class TaskPackets {
public:
    PacketTable table;
    int counter = 0; // the number the next new packet takes

    // "Packet%d" with the counter, which then goes up by one.
    QString takeNextName();
    bool hasPacket(const QString &packet) const { return table.packets.contains(packet); }

    // Replaces the packet's rows (adding its node when it is new) by rows, in order. A
    // row whose key another packet's row already carries gets a fresh key.
    void setPacketRows(const QString &packet, const QList<AttributeRow> &rows);
    // The node and its rows.
    void removePacket(const QString &packet);
    // Deletes the row with that key; returns the row's packet, or empty when none.
    QString deleteRow(const QString &key);
    void clear();
    // Appends imported packets and rows; rows with a key already in use are given new keys.
    void append(const QStringList &packets, const QList<AttributeRow> &rows);

    // The rows the visible list shows for a selection: every row for the root (when there
    // are packets), else the rows of the selected packet.
    QList<AttributeRow> shownRows(const QString &selectedPacket, bool rootSelected) const;

private:
    void appendRows(const QList<AttributeRow> &rows, const QString *packet);
};

} // namespace taskdef
