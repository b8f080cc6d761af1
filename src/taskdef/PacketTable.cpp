#include "taskdef/PacketTable.h"

#include <QRandomGenerator>

namespace taskdef {

namespace {
constexpr int KeyRange = 999999;
}

QList<AttributeRow> PacketTable::rowsOf(const QString &packet) const
{
    QList<AttributeRow> out;
    for (const AttributeRow &row : rows)
        if (row.packageId.trimmed() == packet)
            out.append(row);
    return out;
}

QString PacketTable::takeFreeName(int &counter) const
{
    // Two nodes of one name would share their rows.
    QString name;
    do
        name = QStringLiteral("Packet%1").arg(counter++);
    while (packets.contains(name));
    return name;
}

QSet<QString> PacketTable::usedKeys() const
{
    QSet<QString> used;
    used.reserve(rows.size());
    for (const AttributeRow &row : rows)
        used.insert(row.id);
    return used;
}

QString PacketTable::drawUniqueKey() const
{
    return drawUniqueKey(usedKeys());
}

QString PacketTable::drawUniqueKey(const QSet<QString> &used)
{
    // Random draws find a free key at once while the range is sparsely used.
    for (int attempt = 0; attempt < 64; ++attempt) {
        QString key = QString::number(QRandomGenerator::global()->bounded(KeyRange));
        if (!used.contains(key))
            return key;
    }
    for (int n = 0; n < KeyRange; ++n) {
        QString key = QString::number(n);
        if (!used.contains(key))
            return key;
    }
    // Every key of the range is taken: go beyond it rather than repeat one.
    for (qint64 n = KeyRange;; ++n) {
        QString key = QString::number(n);
        if (!used.contains(key))
            return key;
    }
}

} // namespace taskdef
