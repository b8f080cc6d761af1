#pragma once

#include "decoder/DecodedPacket.h"
#include "platform/LanguageFile.h"

#include <QStringList>

namespace decoder {

// The decoded packet as the lines the window shows and copies, in the words of the
// language file (English without one).
class DecodeReportText {
public:
    static QStringList lines(const DecodedPacket &packet, const platform::LanguageFile &language = {});
    static QString checkText(const AuthenticatorCheck &check, const platform::LanguageFile &language = {});
};

} // namespace decoder
