#include "mschap/MppeKeyAttribute.h"

#include "mschap/LegacyCrypto.h"

namespace mschap {

namespace {

constexpr int kBlock = 16;

std::optional<QByteArray> refuse(QString *why, const QString &reason)
{
    if (why)
        *why = reason;
    return std::nullopt;
}

} // namespace

std::optional<QByteArray> MppeKeyAttribute::decrypt(const QByteArray &value, const QByteArray &secret,
                                                    const QByteArray &requestAuthenticator, QString *why)
{
    if (requestAuthenticator.size() != kBlock)
        return refuse(why, QStringLiteral("the request authenticator is not 16 octets"));
    const QByteArray cipher = value.mid(2);
    if (value.size() < 2 + kBlock || cipher.size() % kBlock != 0)
        return refuse(why, QStringLiteral("%1 octets: not a salt and whole 16-octet blocks").arg(value.size()));
    if (!(std::uint8_t(value[0]) & 0x80))
        return refuse(why, QStringLiteral("the salt's high bit is not set"));
    QByteArray plain;
    QByteArray chain = requestAuthenticator + value.left(2);
    for (qsizetype at = 0; at < cipher.size(); at += kBlock) {
        const QByteArray pad = LegacyCrypto::md5(secret + chain);
        if (pad.size() != kBlock)
            return refuse(why, QString::fromStdString(LegacyCrypto::error()));
        const QByteArray block = cipher.mid(at, kBlock);
        for (int i = 0; i < kBlock; ++i)
            plain.append(char(block[i] ^ pad[i]));
        chain = block;
    }
    const int length = std::uint8_t(plain[0]);
    if (length == 0 || length > plain.size() - 1)
        return refuse(why,
                      QStringLiteral("key length %1 does not fit the %2 octets: wrong secret or authenticator")
                          .arg(length)
                          .arg(plain.size() - 1));
    return plain.mid(1, length);
}

} // namespace mschap
