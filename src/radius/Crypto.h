#pragma once

#include <QByteArray>

namespace radius {

// The library's digests and random source.
class Crypto {
public:
    static QByteArray md5(const QByteArray &data);
    static QByteArray hmacMd5(const QByteArray &data, const QByteArray &key);
    static QByteArray sha1(const QByteArray &data);
    static QByteArray hmacSha1(const QByteArray &data, const QByteArray &key);
    // The SHA-1 compression of one 64-octet block (data zero-padded) from the standard start state.
    static QByteArray sha1Block(const QByteArray &data);
    static quint32 randomUInt32();
    static QByteArray randomBytes(int count);
};

} // namespace radius
