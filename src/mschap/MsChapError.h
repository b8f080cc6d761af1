#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace mschap {

// A failure packet's message (RFC 2433 section 6, RFC 2759 section 6):
// "E=691 R=1 C=<hex> V=3 M=<text>". E is required; the others may be missing.
struct MsChapError {
    int code = 0;
    bool retryAllowed = false;
    QByteArray challenge; // empty when C= is missing
    int version = 0;      // 0 when V= is missing
    QString message;      // the rest of the text after M=

    // The message text; the reason in `why` when it is not one.
    static std::optional<MsChapError> parse(const QByteArray &text, QString *why = nullptr);
    // The RADIUS attribute MS-CHAP-Error: the identifier octet, then the text.
    static std::optional<MsChapError> parseAttribute(const QByteArray &value, QString *why = nullptr);

    // What the code means, e.g. "authentication failure"; empty for a code not in the RFCs.
    static QString codeMeaning(int code);
    // One line for a log: the meaning with the code, whether a retry is allowed, the message.
    QString reason() const;
};

} // namespace mschap
