#pragma once

#include <QByteArray>
#include <QString>

// The sample exchange of RFC 2759 section 9.2, which RFC 3079 section 3.5 reuses: user
// "User", password "clientPass".
namespace rfcsample {

inline QByteArray hex(const char *spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}

inline const QByteArray kUserName = "User";
inline const QString kPassword = QStringLiteral("clientPass");
inline const QByteArray kAuthenticatorChallenge = hex("5B 5D 7C 7D 7B 3F 2F 3E 3C 2C 60 21 32 26 26 28");
inline const QByteArray kPeerChallenge = hex("21 40 23 24 25 5E 26 2A 28 29 5F 2B 3A 33 7C 7E");
inline const QByteArray kChallenge = hex("D0 2E 43 86 BC E9 12 26");
inline const QByteArray kPasswordHash = hex("44 EB BA 8D 53 12 B8 D6 11 47 44 11 F5 69 89 AE");
inline const QByteArray kNtResponse = hex("82 30 9E CD 8D 70 8B 5E A0 8F AA 39 81 CD 83 54 42 33 11 4A 3D 85 D6 DF");
inline const QByteArray kPasswordHashHash = hex("41 C0 0C 58 4B D2 D9 1C 40 17 A2 A1 2F A5 9F 3F");
inline const QByteArray kAuthenticatorResponse = "S=407A5589115FD0D6209F510FE9C04566932CDA56";

} // namespace rfcsample
