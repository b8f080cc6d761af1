#include "mschap/MsChapV2.h"

#include "mschap/LegacyCrypto.h"

#include <cstdint>

namespace mschap {

namespace {

constexpr char kServerSigningMagic[] = "Magic server to client signing constant";
constexpr char kIterationMagic[] = "Pad to make it do more than one iteration";

QByteArray constant(const char *text, qsizetype length)
{
    return QByteArray(text, length);
}

QByteArray unicodeLittleEndian(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        out.append(char(unit & 0xff));
        out.append(char(unit >> 8));
    }
    return out;
}

QByteArray withoutDomain(const QByteArray &userName)
{
    const qsizetype backslash = userName.indexOf('\\');
    return backslash < 0 ? userName : userName.mid(backslash + 1);
}

} // namespace

QByteArray MsChapV2::ntPasswordHash(const QString &password)
{
    return LegacyCrypto::md4(unicodeLittleEndian(password));
}

QByteArray MsChapV2::hashNtPasswordHash(const QByteArray &passwordHash)
{
    return LegacyCrypto::md4(passwordHash);
}

QByteArray MsChapV2::challengeHash(const QByteArray &peerChallenge, const QByteArray &authenticatorChallenge,
                                   const QByteArray &userName)
{
    if (peerChallenge.size() != kChallengeLength || authenticatorChallenge.size() != kChallengeLength)
        return {};
    return LegacyCrypto::sha1(peerChallenge + authenticatorChallenge + withoutDomain(userName)).left(8);
}

QByteArray MsChapV2::desKey(const QByteArray &sevenOctets)
{
    if (sevenOctets.size() != 7)
        return {};
    const auto in = [&sevenOctets](int i) { return std::uint8_t(sevenOctets[i]); };
    QByteArray key(8, '\0');
    key[0] = char(in(0) & 0xfe);
    for (int i = 1; i < 7; ++i)
        key[i] = char(((in(i - 1) << (8 - i)) | (in(i) >> i)) & 0xfe);
    key[7] = char((in(6) << 1) & 0xfe);
    return key;
}

QByteArray MsChapV2::challengeResponse(const QByteArray &challenge, const QByteArray &passwordHash)
{
    if (challenge.size() != 8 || passwordHash.size() != 16)
        return {};
    const QByteArray padded = passwordHash + QByteArray(5, '\0');
    QByteArray response;
    for (qsizetype part = 0; part < 3; ++part) {
        const QByteArray block = LegacyCrypto::desEncrypt(desKey(padded.mid(part * 7, 7)), challenge);
        if (block.isEmpty())
            return {};
        response += block;
    }
    return response;
}

QByteArray MsChapV2::generateNtResponse(const QByteArray &authenticatorChallenge, const QByteArray &peerChallenge,
                                        const QByteArray &userName, const QString &password)
{
    return challengeResponse(challengeHash(peerChallenge, authenticatorChallenge, userName), ntPasswordHash(password));
}

QByteArray MsChapV2::generateAuthenticatorResponse(const QString &password, const QByteArray &ntResponse,
                                                   const QByteArray &peerChallenge,
                                                   const QByteArray &authenticatorChallenge, const QByteArray &userName)
{
    const QByteArray challenge = challengeHash(peerChallenge, authenticatorChallenge, userName);
    const QByteArray hashHash = hashNtPasswordHash(ntPasswordHash(password));
    if (ntResponse.size() != kNtResponseLength || challenge.isEmpty() || hashHash.isEmpty())
        return {};
    const QByteArray first =
        LegacyCrypto::sha1(hashHash + ntResponse + constant(kServerSigningMagic, sizeof(kServerSigningMagic) - 1));
    const QByteArray digest =
        LegacyCrypto::sha1(first + challenge + constant(kIterationMagic, sizeof(kIterationMagic) - 1));
    if (digest.isEmpty())
        return {};
    return "S=" + digest.toHex().toUpper();
}

bool MsChapV2::checkAuthenticatorResponse(const QByteArray &received, const QString &password,
                                          const QByteArray &ntResponse, const QByteArray &peerChallenge,
                                          const QByteArray &authenticatorChallenge, const QByteArray &userName)
{
    const QByteArray expected =
        generateAuthenticatorResponse(password, ntResponse, peerChallenge, authenticatorChallenge, userName);
    return !expected.isEmpty() && received.size() == expected.size() && received.toUpper() == expected;
}

} // namespace mschap
