#pragma once

// Inside pellion_tls only: OpenSSL stays behind TlsSession and TlsEngine.

#include <openssl/ssl.h>

#include <memory>
#include <string>

namespace tls {

struct ContextFree {
    void operator()(SSL_CTX *context) const { SSL_CTX_free(context); }
};
using ContextPointer = std::unique_ptr<SSL_CTX, ContextFree>;

// The queued OpenSSL errors as one text, the queue emptied.
std::string takeErrors();

// A TLS 1.2 or 1.3 client context: the server verified against caFile (empty: the
// system's) unless verifyServer is false, our certificate and key when certFile is
// given (keyFile empty: the key is in certFile). Null with the reason in `error`.
ContextPointer makeClientContext(const std::string &caFile, bool verifyServer, const std::string &certFile,
                                 const std::string &keyFile, std::string &error);

} // namespace tls
