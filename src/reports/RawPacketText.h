#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace reports {

// The texts of the raw packet page: the figure of the RADIUS layout, the block of one
// encoded request with its hexadecimal fields, and the page's error lines.
class RawPacketText {
public:
    static QStringList figure();
    // "Packet%-3d:" with number, the whole packet, then its fields.
    static QStringList block(int number, const QByteArray &packet);
    // The block of a request the library could not encode: its head and the message.
    static QStringList failedBlock(int number, const QString &message);

    static QStringList unresolvedHost(const QString &serverIp);
    static QString noPackets();
    static QString badPacketCode();
    // For a mode whose requests the client computes while it runs (a fresh challenge, the
    // server's answers), in the current language.
    static QString computedByClient(const QString &mode);
};

} // namespace reports
