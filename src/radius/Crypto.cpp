#include "radius/Crypto.h"

#include "radius/fr_api.h"

#include <cstring>

namespace radius {

QByteArray Crypto::md5(const QByteArray &data)
{
    QByteArray out(16, '\0');
    pr_md5(reinterpret_cast<uint8_t *>(out.data()), reinterpret_cast<const uint8_t *>(data.constData()),
           size_t(data.size()));
    return out;
}

QByteArray Crypto::hmacMd5(const QByteArray &data, const QByteArray &key)
{
    QByteArray out(16, '\0');
    pr_hmac_md5(reinterpret_cast<uint8_t *>(out.data()), reinterpret_cast<const uint8_t *>(data.constData()),
                size_t(data.size()), reinterpret_cast<const uint8_t *>(key.constData()), size_t(key.size()));
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
