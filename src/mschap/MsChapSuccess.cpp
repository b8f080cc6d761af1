#include "mschap/MsChapSuccess.h"

namespace mschap {

namespace {

constexpr int kResponseLength = 42; // "S=" and 40 hex digits

std::optional<MsChapSuccess> refuse(QString *why, const QString &reason)
{
    if (why)
        *why = reason;
    return std::nullopt;
}

} // namespace

std::optional<MsChapSuccess> MsChapSuccess::parse(const QByteArray &text, QString *why)
{
    const QByteArray response = text.left(kResponseLength);
    const QByteArray digits = response.mid(2);
    const bool hex = digits.size() == 40 && QByteArray::fromHex(digits).toHex() == digits.toLower();
    if (!response.startsWith("S=") || !hex)
        return refuse(why, QStringLiteral("no authenticator response (S= and 40 hex digits)"));
    const QByteArray rest = text.mid(kResponseLength);
    MsChapSuccess success;
    success.authenticatorResponse = response;
    if (rest.startsWith(" M="))
        success.message = QString::fromUtf8(rest.mid(3));
    else if (!rest.isEmpty())
        return refuse(why, QStringLiteral("unexpected text after the authenticator response"));
    return success;
}

std::optional<MsChapSuccess> MsChapSuccess::parseAttribute(const QByteArray &value, QString *why)
{
    if (value.isEmpty())
        return refuse(why, QStringLiteral("empty"));
    return parse(value.mid(1), why);
}

} // namespace mschap
