#pragma once

#include "radius/RequestPacket.h"

#include <QByteArray>
#include <QString>

namespace taskdef {

// One packet of a script file as a request: code 0 and port 0 until set, the identifier
// not yet assigned, a fresh random authenticator.
struct RequestRecord {
    int number = 0; // counted from 1
    QString fileName;
    radius::RequestPacket packet;
    QByteArray password; // User-Password, else CHAP-Password, else empty; at most 253 octets
    int line = 0;        // the file line of the packet's first pair
};

} // namespace taskdef
