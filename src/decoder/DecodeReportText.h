#pragma once

#include "decoder/DecodedPacket.h"

#include <QStringList>

namespace decoder {

// The decoded packet as the lines the window shows and copies.
class DecodeReportText {
public:
    static QStringList lines(const DecodedPacket &packet);
    static QString checkText(const AuthenticatorCheck &check);
};

} // namespace decoder
