#pragma once

#include <QByteArray>
#include <QString>

namespace mschap {

// The peer's side of MS-CHAPv2 (RFC 2759 section 8). The user name is the octets the
// peer sends; the password is turned into UTF-16LE. Every result is empty when
// LegacyCrypto::error() is not, or when an input has the wrong length.
class MsChapV2 {
public:
    static constexpr int kChallengeLength = 16;
    static constexpr int kNtResponseLength = 24;

    // MD4 of the password in UTF-16LE: 16 octets.
    static QByteArray ntPasswordHash(const QString &password);
    // MD4 of the hash: 16 octets.
    static QByteArray hashNtPasswordHash(const QByteArray &passwordHash);
    // The first 8 octets of SHA-1(peer challenge | authenticator challenge | user name), the
    // name without a "DOMAIN\\" in front (RFC 2759 section 8.2).
    static QByteArray challengeHash(const QByteArray &peerChallenge, const QByteArray &authenticatorChallenge,
                                    const QByteArray &userName);
    // Three DES encryptions of the 8-octet challenge under the 16-octet hash padded to 21: 24 octets.
    static QByteArray challengeResponse(const QByteArray &challenge, const QByteArray &passwordHash);
    static QByteArray generateNtResponse(const QByteArray &authenticatorChallenge, const QByteArray &peerChallenge,
                                         const QByteArray &userName, const QString &password);
    // "S=" and 40 upper-case hex digits: what the authenticator proves it knows the password with.
    static QByteArray generateAuthenticatorResponse(const QString &password, const QByteArray &ntResponse,
                                                    const QByteArray &peerChallenge,
                                                    const QByteArray &authenticatorChallenge,
                                                    const QByteArray &userName);
    // Whether received ("S=" and 40 hex digits, either case) is the response the password gives.
    static bool checkAuthenticatorResponse(const QByteArray &received, const QString &password,
                                           const QByteArray &ntResponse, const QByteArray &peerChallenge,
                                           const QByteArray &authenticatorChallenge, const QByteArray &userName);
    // A 7-octet DES key spread over 8 octets, 7 bits each (the low bit, DES's parity, left 0).
    static QByteArray desKey(const QByteArray &sevenOctets);
};

} // namespace mschap
