#include "tls/MemoryTls.h"

#include <openssl/bio.h>
#include <openssl/ssl.h>

namespace tls {

QByteArray takeAll(bio_st *bio)
{
    QByteArray octets;
    char buffer[4096];
    int n = 0;
    while ((n = BIO_read(bio, buffer, sizeof(buffer))) > 0)
        octets.append(buffer, n);
    return octets;
}

QByteArray exportKeyingMaterial(ssl_st *ssl, const std::string &label, const std::optional<QByteArray> &context,
                                int length)
{
    QByteArray out(length, '\0');
    const auto *contextOctets = context ? reinterpret_cast<const unsigned char *>(context->constData()) : nullptr;
    const int ok = SSL_export_keying_material(
        ssl, reinterpret_cast<unsigned char *>(out.data()), static_cast<std::size_t>(length), label.data(),
        label.size(), contextOctets, context ? static_cast<std::size_t>(context->size()) : 0, context ? 1 : 0);
    return ok == 1 ? out : QByteArray();
}

} // namespace tls
