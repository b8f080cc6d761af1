#include "taskdef/TaskExpectations.h"

namespace taskdef {

void TaskExpectations::load(const QList<taskstore::PacketExpectation> &stored)
{
    m_byPacket.clear();
    for (const taskstore::PacketExpectation &expectation : stored)
        set(QStringLiteral("Packet%1").arg(expectation.packetNumber), expectation);
}

taskstore::PacketExpectation TaskExpectations::of(const QString &packet) const
{
    return m_byPacket.value(packet);
}

void TaskExpectations::set(const QString &packet, const taskstore::PacketExpectation &expectation)
{
    if (expectation.isEmpty())
        m_byPacket.remove(packet);
    else
        m_byPacket.insert(packet, expectation);
}

void TaskExpectations::keepOnly(const QStringList &packets)
{
    m_byPacket.removeIf([&](const auto &entry) { return !packets.contains(entry.key()); });
}

QList<taskstore::PacketExpectation> TaskExpectations::numbered(const PacketTable &table) const
{
    QList<taskstore::PacketExpectation> out;
    int number = 0;
    for (const QString &packet : table.packets) {
        if (table.rowsOf(packet).isEmpty())
            continue;
        ++number;
        if (!m_byPacket.contains(packet))
            continue;
        taskstore::PacketExpectation expectation = m_byPacket.value(packet);
        expectation.packetNumber = number;
        out << expectation;
    }
    return out;
}

QMap<QString, taskstore::PacketExpectation> TaskExpectations::all() const
{
    return m_byPacket;
}

QStringList TaskExpectations::editState() const
{
    QStringList state;
    for (auto it = m_byPacket.cbegin(); it != m_byPacket.cend(); ++it) {
        const taskstore::PacketExpectation &expectation = it.value();
        state << it.key() << QString::number(expectation.replyCode.value_or(-1))
              << QString::number(expectation.timeLimitMs.value_or(-1));
        for (const taskstore::AttributeCheck &check : expectation.checks)
            state << check.attribute << taskstore::checkOperatorName(check.op) << check.value;
    }
    return state;
}

} // namespace taskdef
