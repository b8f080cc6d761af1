#pragma once

#include "taskdef/ScriptPair.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace reports {

// The "Text Packet[s]" page: the packet script file's path, then each packet's pairs as
// attribute and value columns, packets numbered from 1.
class PacketTextPage {
public:
    static QStringList lines(const QString &scriptPath, const QList<QList<taskdef::ScriptPair>> &packets);
};

} // namespace reports
