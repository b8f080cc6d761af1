#include "radius/Crypto.h"

#include "radius/fr_api.h"

#include <cstring>

namespace radius {

namespace {
const uint8_t *octets(const QByteArray &data)
{
    return reinterpret_cast<const uint8_t *>(data.constData());
}

uint8_t *octets(QByteArray &data)
{
    return reinterpret_cast<uint8_t *>(data.data());
}

template <int Size>
QByteArray digest(void (*function)(uint8_t *, const uint8_t *, size_t), const QByteArray &data)
{
    QByteArray out(Size, '\0');
    function(octets(out), octets(data), size_t(data.size()));
    return out;
}

template <int Size>
QByteArray keyedDigest(void (*function)(uint8_t *, const uint8_t *, size_t, const uint8_t *, size_t),
                       const QByteArray &data, const QByteArray &key)
{
    QByteArray out(Size, '\0');
    function(octets(out), octets(data), size_t(data.size()), octets(key), size_t(key.size()));
    return out;
}

} // namespace

QByteArray Crypto::md5(const QByteArray &data)
{
    return digest<16>(pr_md5, data);
}

QByteArray Crypto::hmacMd5(const QByteArray &data, const QByteArray &key)
{
    return keyedDigest<16>(pr_hmac_md5, data, key);
}

QByteArray Crypto::sha1(const QByteArray &data)
{
    return digest<20>(pr_sha1, data);
}

QByteArray Crypto::hmacSha1(const QByteArray &data, const QByteArray &key)
{
    return keyedDigest<20>(pr_hmac_sha1, data, key);
}

QByteArray Crypto::sha1Block(const QByteArray &data)
{
    QByteArray block = data.left(64);
    block.resize(64, '\0');
    QByteArray out(20, '\0');
    pr_sha1_block(octets(out), octets(block));
    return out;
}

quint32 Crypto::randomUInt32()
{
    return pr_random();
}

QByteArray Crypto::randomBytes(int count)
{
    QByteArray out(count, '\0');
    for (int i = 0; i < count; i += 4) {
        const quint32 r = pr_random();
        std::memcpy(out.data() + i, &r, size_t(qMin(4, count - i)));
    }
    return out;
}

} // namespace radius
