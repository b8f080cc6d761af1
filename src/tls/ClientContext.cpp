#include "tls/ClientContext.h"

#include <openssl/err.h>

namespace tls {

std::string takeErrors()
{
    std::string text;
    while (const unsigned long code = ERR_get_error()) {
        const char *reason = ERR_reason_error_string(code);
        char fallback[256];
        if (!reason) {
            ERR_error_string_n(code, fallback, sizeof(fallback));
            reason = fallback;
        }
        if (text.find(reason) == std::string::npos)
            text += (text.empty() ? "" : "; ") + std::string(reason);
    }
    return text;
}

ContextPointer makeClientContext(const std::string &caFile, bool verifyServer, const std::string &certFile,
                                 const std::string &keyFile, std::string &error)
{
    ERR_clear_error();
    ContextPointer context(SSL_CTX_new(TLS_client_method()));
    if (!context) {
        error = "cannot set up TLS: " + takeErrors();
        return nullptr;
    }
    SSL_CTX *ctx = context.get();
    SSL_CTX_set_min_proto_version(ctx, TLS1_2_VERSION);
    SSL_CTX_set_max_proto_version(ctx, TLS1_3_VERSION);
    SSL_CTX_set_verify(ctx, verifyServer ? SSL_VERIFY_PEER : SSL_VERIFY_NONE, nullptr);
    if (verifyServer) {
        const bool trusted = caFile.empty() ? SSL_CTX_set_default_verify_paths(ctx) == 1
                                            : SSL_CTX_load_verify_locations(ctx, caFile.c_str(), nullptr) == 1;
        if (!trusted) {
            error = "cannot read the CA file " + caFile + ": " + takeErrors();
            return nullptr;
        }
    }
    if (!certFile.empty()) {
        const std::string &key = keyFile.empty() ? certFile : keyFile;
        if (SSL_CTX_use_certificate_chain_file(ctx, certFile.c_str()) != 1) {
            error = "cannot read the certificate file " + certFile + ": " + takeErrors();
            return nullptr;
        }
        if (SSL_CTX_use_PrivateKey_file(ctx, key.c_str(), SSL_FILETYPE_PEM) != 1
            || SSL_CTX_check_private_key(ctx) != 1) {
            error = "cannot use the key file " + key + ": " + takeErrors();
            return nullptr;
        }
    }
    return context;
}

} // namespace tls
