#include "tls/TlsSession.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>

namespace tls {

namespace {

// The queued OpenSSL errors as one text, the queue emptied.
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

bool isIpAddress(const std::string &text)
{
    unsigned char raw[sizeof(in6_addr)];
    return inet_pton(AF_INET, text.c_str(), raw) == 1 || inet_pton(AF_INET6, text.c_str(), raw) == 1;
}

struct ContextFree {
    void operator()(SSL_CTX *context) const { SSL_CTX_free(context); }
};
struct SslFree {
    void operator()(SSL *ssl) const { SSL_free(ssl); }
};

} // namespace

struct TlsSession::State {
    std::unique_ptr<SSL_CTX, ContextFree> context;
    std::unique_ptr<SSL, SslFree> ssl;
};

TlsSession::TlsSession(std::unique_ptr<State> state) : m_state(std::move(state))
{
}

TlsSession::~TlsSession() = default;

std::unique_ptr<TlsSession> TlsSession::create(const TlsSettings &settings, int fd, std::string &error)
{
    ERR_clear_error();
    auto state = std::make_unique<State>();
    state->context.reset(SSL_CTX_new(TLS_client_method()));
    SSL_CTX *context = state->context.get();
    if (!context) {
        error = "cannot set up TLS: " + takeErrors();
        return nullptr;
    }
    SSL_CTX_set_min_proto_version(context, TLS1_2_VERSION);
    SSL_CTX_set_max_proto_version(context, TLS1_3_VERSION);
    SSL_CTX_set_mode(context, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    SSL_CTX_set_verify(context, SSL_VERIFY_PEER, nullptr);
    const bool trusted = settings.caFile.empty()
        ? SSL_CTX_set_default_verify_paths(context) == 1
        : SSL_CTX_load_verify_locations(context, settings.caFile.c_str(), nullptr) == 1;
    if (!trusted) {
        error = "cannot read the CA file " + settings.caFile + ": " + takeErrors();
        return nullptr;
    }
    if (!settings.certFile.empty()) {
        const std::string &keyFile = settings.keyFile.empty() ? settings.certFile : settings.keyFile;
        if (SSL_CTX_use_certificate_chain_file(context, settings.certFile.c_str()) != 1) {
            error = "cannot read the certificate file " + settings.certFile + ": " + takeErrors();
            return nullptr;
        }
        if (SSL_CTX_use_PrivateKey_file(context, keyFile.c_str(), SSL_FILETYPE_PEM) != 1
            || SSL_CTX_check_private_key(context) != 1) {
            error = "cannot use the key file " + keyFile + ": " + takeErrors();
            return nullptr;
        }
    }
    state->ssl.reset(SSL_new(context));
    SSL *ssl = state->ssl.get();
    if (!ssl || SSL_set_fd(ssl, fd) != 1) {
        error = "cannot set up TLS: " + takeErrors();
        return nullptr;
    }
    X509_VERIFY_PARAM *param = SSL_get0_param(ssl);
    if (isIpAddress(settings.peerName)) {
        X509_VERIFY_PARAM_set1_ip_asc(param, settings.peerName.c_str());
    } else {
        X509_VERIFY_PARAM_set_hostflags(param, X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
        SSL_set1_host(ssl, settings.peerName.c_str());
        // The macro for it casts in the old style.
        SSL_ctrl(ssl, SSL_CTRL_SET_TLSEXT_HOSTNAME, TLSEXT_NAMETYPE_host_name,
                 const_cast<char *>(settings.peerName.c_str()));
    }
    SSL_set_connect_state(ssl);
    return std::unique_ptr<TlsSession>(new TlsSession(std::move(state)));
}

TlsSession::Io TlsSession::outcome(int rc, std::string &error)
{
    SSL *ssl = m_state->ssl.get();
    const int code = SSL_get_error(ssl, rc);
    switch (code) {
    case SSL_ERROR_WANT_READ: return Io::WantRead;
    case SSL_ERROR_WANT_WRITE: return Io::WantWrite;
    case SSL_ERROR_ZERO_RETURN: error = "the server closed the connection"; return Io::Closed;
    default: break;
    }
    if (ERR_GET_REASON(ERR_peek_error()) == SSL_R_UNEXPECTED_EOF_WHILE_READING) {
        ERR_clear_error();
        error = "the server closed the connection";
        return Io::Closed;
    }
    const long verified = SSL_get_verify_result(ssl);
    std::string reason = takeErrors();
    if (verified != X509_V_OK && !SSL_is_init_finished(ssl))
        reason += (reason.empty() ? "" : ": ") + std::string(X509_verify_cert_error_string(verified));
    if (code == SSL_ERROR_SYSCALL && reason.empty()) {
        if (errno == 0 || errno == ECONNRESET || errno == EPIPE) {
            error = "the server closed the connection";
            return Io::Closed;
        }
        reason = std::strerror(errno);
    }
    error = reason.empty() ? "TLS error " + std::to_string(code) : reason;
    return Io::Failed;
}

TlsSession::Io TlsSession::handshake(std::string &error)
{
    ERR_clear_error();
    errno = 0;
    const int rc = SSL_do_handshake(m_state->ssl.get());
    return rc == 1 ? Io::Done : outcome(rc, error);
}

TlsSession::Io TlsSession::read(void *data, std::size_t size, std::size_t &done, std::string &error)
{
    ERR_clear_error();
    errno = 0;
    done = 0;
    return SSL_read_ex(m_state->ssl.get(), data, size, &done) == 1 ? Io::Done : outcome(0, error);
}

TlsSession::Io TlsSession::write(const void *data, std::size_t size, std::size_t &done, std::string &error)
{
    ERR_clear_error();
    errno = 0;
    done = 0;
    return SSL_write_ex(m_state->ssl.get(), data, size, &done) == 1 ? Io::Done : outcome(0, error);
}

std::string TlsSession::description() const
{
    const SSL *ssl = m_state->ssl.get();
    return std::string(SSL_get_version(ssl)) + ", " + SSL_get_cipher_name(ssl);
}

} // namespace tls
