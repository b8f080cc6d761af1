#pragma once

#include "platform/LanguageFile.h"
#include "radius/Result.h"

#include <QByteArray>
#include <QString>

namespace decoder {

// Octets typed or pasted as hexadecimal: pairs of digits with or without blanks, colons,
// commas or "0x" in front; Wireshark's hex stream and hex dump (offsets first, the text
// column last); the raw packet view's block (its field lines repeat the packet and are
// passed over).
class HexInput {
public:
    // Its refusals in the words of the language file (English without one).
    static radius::Result<QByteArray> parse(const QString &text, const platform::LanguageFile &language = {});
};

} // namespace decoder
