#pragma once

#include <QByteArray>

#include <string>

namespace mschap {

// The digests and the cipher MS-CHAP needs, from OpenSSL. MD4 and single DES sit in
// OpenSSL 3's legacy provider; it is loaded into a library context of our own, so the
// rest of the process (TLS included) keeps the default context and its policy.
// Loaded once, on first use; safe to use from several threads after that.
class LegacyCrypto {
public:
    // Empty when every algorithm is there, else why not (the calls below then return empty).
    static std::string error();

    static QByteArray md4(const QByteArray &data);
    static QByteArray md5(const QByteArray &data);
    static QByteArray sha1(const QByteArray &data);
    // DES in ECB mode of one 8-octet block under an 8-octet key (parity bits ignored).
    static QByteArray desEncrypt(const QByteArray &key, const QByteArray &block);
};

} // namespace mschap
