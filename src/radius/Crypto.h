#pragma once

#include <QByteArray>

namespace radius {

// The library's digests and random source.
class Crypto {
public:
    static QByteArray md5(const QByteArray &data);
    static QByteArray hmacMd5(const QByteArray &data, const QByteArray &key);
    static quint32 randomUInt32();
    static QByteArray randomBytes(int count);
};

} // namespace radius
