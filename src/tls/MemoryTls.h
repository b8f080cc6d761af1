#pragma once

#include <QByteArray>

#include <optional>
#include <string>

struct bio_st;
struct ssl_st;

namespace tls {

// What the TLS sessions whose records travel in memory (OpenSSL memory BIOs) share.

// The octets a memory BIO holds, taken from it.
QByteArray takeAll(bio_st *bio);

// Keying material exported from a session (RFC 5705, RFC 8446 section 7.5), with the
// context when there is one; empty when it cannot be.
QByteArray exportKeyingMaterial(ssl_st *ssl, const std::string &label, const std::optional<QByteArray> &context,
                                int length);

} // namespace tls
