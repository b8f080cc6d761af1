#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace mschap {

// A success packet's message (RFC 2759 section 5): "S=<40 hex digits>", then " M=<text>"
// when the authenticator adds one.
struct MsChapSuccess {
    QByteArray authenticatorResponse; // "S=" and the 40 hex digits, as received
    QString message;

    static std::optional<MsChapSuccess> parse(const QByteArray &text, QString *why = nullptr);
    // The RADIUS attribute MS-CHAP2-Success: the identifier octet, then the text.
    static std::optional<MsChapSuccess> parseAttribute(const QByteArray &value, QString *why = nullptr);
};

} // namespace mschap
