#pragma once

#include "support/FreeRadiusServer.h"

#include <QByteArray>

// An EAP-SIM packet for the user with the server's standard triplets; a wrong SRES
// makes the server refuse it.
inline QByteArray simPacket(const char *user, bool wrongSres = false)
{
    QByteArray text = QByteArray("User-Name = ") + user + "\r\n";
    const auto triplets = testsupport::FreeRadiusServer::standardTriplets();
    for (std::size_t i = 0; i < triplets.size(); ++i) {
        const QByteArray n = QByteArray::number(static_cast<int>(i + 1));
        const QString sres = wrongSres ? QString("0x00000000") : triplets[i].sres;
        text += "EAP-Sim-Rand" + n + " = " + triplets[i].rand.toUtf8() + "\r\n";
        text += "EAP-Sim-SRES" + n + " = " + sres.toUtf8() + "\r\n";
        text += "EAP-Sim-KC" + n + " = " + triplets[i].kc.toUtf8() + "\r\n";
    }
    return text + "\r\n";
}
