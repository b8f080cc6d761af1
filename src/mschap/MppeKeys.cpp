#include "mschap/MppeKeys.h"

#include "mschap/LegacyCrypto.h"

namespace mschap {

namespace {

constexpr char kMasterMagic[] = "This is the MPPE Master Key";
constexpr char kClientSendMagic[] =
    "On the client side, this is the send key; on the server side, it is the receive key.";
constexpr char kClientReceiveMagic[] =
    "On the client side, this is the receive key; on the server side, it is the send key.";

template <std::size_t N>
QByteArray text(const char (&magic)[N])
{
    return QByteArray(magic, N - 1);
}

const QByteArray kZeroPad(40, '\0');
const QByteArray kF2Pad(40, '\xf2');

} // namespace

QByteArray MppeKeys::masterKey(const QByteArray &passwordHashHash, const QByteArray &ntResponse)
{
    if (passwordHashHash.size() != 16 || ntResponse.size() != 24)
        return {};
    return LegacyCrypto::sha1(passwordHashHash + ntResponse + text(kMasterMagic)).left(16);
}

QByteArray MppeKeys::startKey(const QByteArray &masterKey, Strength strength, Direction direction, Side side)
{
    if (masterKey.size() != 16)
        return {};
    // The client's send key is the server's receive key, and the other way round.
    const bool clientSend = (direction == Direction::Send) == (side == Side::Client);
    const QByteArray magic = clientSend ? text(kClientSendMagic) : text(kClientReceiveMagic);
    return LegacyCrypto::sha1(masterKey + kZeroPad + magic + kF2Pad).left(keyLength(strength));
}

QByteArray MppeKeys::initialSessionKey(const QByteArray &startKey, Strength strength)
{
    if (startKey.size() != keyLength(strength))
        return {};
    QByteArray key = LegacyCrypto::sha1(startKey + kZeroPad + startKey + kF2Pad).left(keyLength(strength));
    if (key.isEmpty())
        return {};
    // RFC 3079 section 3.4: the weaker keys keep a fixed prefix.
    if (strength == Strength::Bits40) {
        key[0] = '\xd1';
        key[1] = '\x26';
        key[2] = '\x9e';
    } else if (strength == Strength::Bits56) {
        key[0] = '\xd1';
    }
    return key;
}

MppeKeys::ServerKeys MppeKeys::serverKeys(const QByteArray &passwordHashHash, const QByteArray &ntResponse)
{
    const QByteArray master = masterKey(passwordHashHash, ntResponse);
    return {startKey(master, Strength::Bits128, Direction::Send, Side::Server),
            startKey(master, Strength::Bits128, Direction::Receive, Side::Server)};
}

} // namespace mschap
