#include "taskdef/TaskPackets.h"

namespace taskdef {

QString TaskPackets::takeNextName()
{
    return table.takeFreeName(counter);
}

void TaskPackets::setPacketRows(const QString &packet, const QList<AttributeRow> &rows)
{
    table.rows.removeIf([&](const AttributeRow &row) { return row.packageId.trimmed() == packet; });
    if (!table.packets.contains(packet))
        table.packets << packet;
    appendRows(rows, &packet);
}

void TaskPackets::removePacket(const QString &packet)
{
    const QString name = packet.trimmed();
    table.packets.removeAll(packet);
    table.rows.removeIf([&](const AttributeRow &row) { return row.packageId.trimmed() == name; });
}

QString TaskPackets::deleteRow(const QString &key)
{
    for (qsizetype i = 0; i < table.rows.size(); ++i) {
        if (table.rows.at(i).id == key) {
            QString packet = table.rows.at(i).packageId;
            table.rows.removeAt(i);
            return packet;
        }
    }
    return {};
}

void TaskPackets::clear()
{
    table.packets.clear();
    table.rows.clear();
}

void TaskPackets::append(const QStringList &packets, const QList<AttributeRow> &rows)
{
    table.packets << packets;
    appendRows(rows, nullptr);
}

void TaskPackets::appendRows(const QList<AttributeRow> &rows, const QString *packet)
{
    QSet<QString> used = table.usedKeys();
    for (AttributeRow row : rows) {
        if (packet)
            row.packageId = *packet;
        if (row.id.isEmpty() || used.contains(row.id))
            row.id = PacketTable::drawUniqueKey(used);
        used.insert(row.id);
        table.rows << row;
    }
}

QList<AttributeRow> TaskPackets::shownRows(const QString &selectedPacket, bool rootSelected) const
{
    if (rootSelected)
        return table.packets.isEmpty() ? QList<AttributeRow>() : table.rows;
    QList<AttributeRow> shown;
    for (const AttributeRow &row : table.rows)
        if (row.packageId == selectedPacket)
            shown << row;
    return shown;
}

} // namespace taskdef
