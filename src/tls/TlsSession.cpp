#include "tls/TlsSession.h"

#include "tls/ClientContext.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>

namespace tls {

namespace {

bool isIpAddress(const std::string &text)
{
    unsigned char raw[sizeof(in6_addr)];
    return inet_pton(AF_INET, text.c_str(), raw) == 1 || inet_pton(AF_INET6, text.c_str(), raw) == 1;
}

struct SslFree {
    void operator()(SSL *ssl) const { SSL_free(ssl); }
};

} // namespace

struct TlsSession::State {
    ContextPointer context;
    std::unique_ptr<SSL, SslFree> ssl;
};

TlsSession::TlsSession(std::unique_ptr<State> state) : m_state(std::move(state))
{
}

TlsSession::~TlsSession() = default;

std::unique_ptr<TlsSession> TlsSession::create(const TlsSettings &settings, int fd, std::string &error)
{
    auto state = std::make_unique<State>();
    state->context = makeClientContext(settings.caFile, true, settings.certFile, settings.keyFile, error);
    SSL_CTX *context = state->context.get();
    if (!context)
        return nullptr;
    SSL_CTX_set_mode(context, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
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
