#pragma once

#include <QByteArray>

namespace mschap {

// MPPE keys from MS-CHAPv2 (RFC 3079 section 3): the master key from the password hash's
// hash and the NT-Response, the start keys of each direction, the first session keys.
// Results are empty when an input has the wrong length or the digests are missing.
class MppeKeys {
public:
    enum class Strength { Bits40, Bits56, Bits128 };
    enum class Side { Client, Server };
    enum class Direction { Send, Receive };

    // 16 octets: the first half of SHA-1(hash hash | NT-Response | magic).
    static QByteArray masterKey(const QByteArray &passwordHashHash, const QByteArray &ntResponse);
    // GetAsymmetricStartKey: 8 octets for 40 and 56 bits, 16 for 128.
    static QByteArray startKey(const QByteArray &masterKey, Strength strength, Direction direction, Side side);
    // GetNewKeyFromSHA from the start key as the current key, reduced for 40 and 56 bits.
    static QByteArray initialSessionKey(const QByteArray &startKey, Strength strength);

    // The 16-octet start keys an authenticator sends in MS-MPPE-Send-Key and
    // MS-MPPE-Recv-Key (RFC 2548): its own send and receive keys, which are the peer's
    // receive and send keys.
    struct ServerKeys {
        QByteArray sendKey;
        QByteArray receiveKey;
    };
    static ServerKeys serverKeys(const QByteArray &passwordHashHash, const QByteArray &ntResponse);

    static int keyLength(Strength strength) { return strength == Strength::Bits128 ? 16 : 8; }
};

} // namespace mschap
