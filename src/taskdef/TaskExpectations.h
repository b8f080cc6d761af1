#pragma once

#include "taskdef/PacketTable.h"
#include "taskstore/Expectation.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace taskdef {

// The expectations of the task being edited, held by packet node text while the packets
// change, and numbered by the packets' places in the script file only when saved.
class TaskExpectations {
public:
    // Stored expectations: packet n is the node "Packet<n>", as the loaded task names it.
    void load(const QList<taskstore::PacketExpectation> &stored);

    // Empty when the packet has none.
    taskstore::PacketExpectation of(const QString &packet) const;
    void set(const QString &packet, const taskstore::PacketExpectation &expectation);
    // Drops the expectations of packets not in the list (removed, cleared).
    void keepOnly(const QStringList &packets);

    // For the store: each packet's expectations under its place among the packets the
    // script file will hold (a packet without rows writes nothing and takes no place).
    QList<taskstore::PacketExpectation> numbered(const PacketTable &table) const;
    // Every packet's that is not empty, by packet name.
    QMap<QString, taskstore::PacketExpectation> all() const;

    // A text form of everything, to tell whether the user changed anything.
    QStringList editState() const;

private:
    QMap<QString, taskstore::PacketExpectation> m_byPacket;
};

} // namespace taskdef
