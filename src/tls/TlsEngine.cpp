#include "tls/TlsEngine.h"

#include "tls/ClientContext.h"
#include "tls/MemoryTls.h"
#include <openssl/bio.h>

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <utility>

namespace tls {

namespace {

struct SslFree {
    void operator()(SSL *ssl) const { SSL_free(ssl); }
};
struct CertificateFree {
    void operator()(X509 *certificate) const { X509_free(certificate); }
};
struct BioFree {
    void operator()(BIO *bio) const { BIO_free(bio); }
};

std::string bioText(const std::unique_ptr<BIO, BioFree> &bio)
{
    char *data = nullptr;
    const long size = BIO_get_mem_data(bio.get(), &data);
    return size > 0 ? std::string(data, static_cast<std::size_t>(size)) : std::string();
}

} // namespace

struct TlsEngine::State {
    ContextPointer context;
    std::unique_ptr<SSL, SslFree> ssl;
    BIO *incoming = nullptr; // owned by ssl
    BIO *outgoing = nullptr; // owned by ssl
    QByteArray plain;
};

TlsEngine::TlsEngine(std::unique_ptr<State> state) : m_state(std::move(state))
{
}

TlsEngine::~TlsEngine() = default;

std::unique_ptr<TlsEngine> TlsEngine::create(const TlsEngineSettings &settings, std::string &error)
{
    auto state = std::make_unique<State>();
    state->context =
        makeClientContext(settings.caFile, settings.verifyServer, settings.certFile, settings.keyFile, error);
    SSL_CTX *context = state->context.get();
    if (!context)
        return nullptr;
    state->ssl.reset(SSL_new(context));
    state->incoming = BIO_new(BIO_s_mem());
    state->outgoing = BIO_new(BIO_s_mem());
    if (!state->ssl || !state->incoming || !state->outgoing) {
        BIO_free(state->incoming);
        BIO_free(state->outgoing);
        error = "cannot set up TLS: " + takeErrors();
        return nullptr;
    }
    // A read from an empty memory BIO asks for more instead of ending the session.
    BIO_set_mem_eof_return(state->incoming, -1);
    SSL_set_bio(state->ssl.get(), state->incoming, state->outgoing);
    SSL_set_connect_state(state->ssl.get());
    return std::unique_ptr<TlsEngine>(new TlsEngine(std::move(state)));
}

std::string TlsEngine::failure(int rc)
{
    SSL *ssl = m_state->ssl.get();
    const int code = SSL_get_error(ssl, rc);
    const long verified = SSL_get_verify_result(ssl);
    std::string reason = takeErrors();
    if (verified != X509_V_OK && !SSL_is_init_finished(ssl))
        reason += (reason.empty() ? "" : ": ") + std::string(X509_verify_cert_error_string(verified));
    if (code == SSL_ERROR_ZERO_RETURN)
        reason = "the server closed the TLS session";
    return reason.empty() ? "TLS error " + std::to_string(code) : reason;
}

bool TlsEngine::pump(std::string &error)
{
    SSL *ssl = m_state->ssl.get();
    if (!SSL_is_init_finished(ssl)) {
        const int rc = SSL_do_handshake(ssl);
        if (rc != 1) {
            if (SSL_get_error(ssl, rc) == SSL_ERROR_WANT_READ)
                return true;
            error = failure(rc);
            return false;
        }
    }
    char buffer[4096];
    for (;;) {
        std::size_t done = 0;
        if (SSL_read_ex(ssl, buffer, sizeof(buffer), &done) == 1) {
            m_state->plain.append(buffer, static_cast<qsizetype>(done));
            continue;
        }
        const int code = SSL_get_error(ssl, 0);
        if (code == SSL_ERROR_WANT_READ || code == SSL_ERROR_WANT_WRITE)
            return true;
        error = failure(0);
        return false;
    }
}

bool TlsEngine::receive(const QByteArray &records, std::string &error)
{
    ERR_clear_error();
    if (!records.isEmpty()
        && BIO_write(m_state->incoming, records.constData(), static_cast<int>(records.size()))
            != static_cast<int>(records.size())) {
        error = "cannot take the server's records";
        return false;
    }
    return pump(error);
}

bool TlsEngine::send(const QByteArray &plain, std::string &error)
{
    ERR_clear_error();
    std::size_t done = 0;
    if (SSL_write_ex(m_state->ssl.get(), plain.constData(), static_cast<std::size_t>(plain.size()), &done) != 1
        || done != static_cast<std::size_t>(plain.size())) {
        error = failure(0);
        return false;
    }
    return true;
}

QByteArray TlsEngine::takeRecords()
{
    return tls::takeAll(m_state->outgoing);
}

QByteArray TlsEngine::takePlain()
{
    return std::exchange(m_state->plain, QByteArray());
}

bool TlsEngine::isEstablished() const
{
    return SSL_is_init_finished(m_state->ssl.get()) == 1;
}

bool TlsEngine::isTls13() const
{
    return SSL_version(m_state->ssl.get()) == TLS1_3_VERSION;
}

std::string TlsEngine::description() const
{
    const SSL *ssl = m_state->ssl.get();
    return std::string(SSL_get_version(ssl)) + ", " + SSL_get_cipher_name(ssl);
}

std::string TlsEngine::peerSubject() const
{
    const std::unique_ptr<X509, CertificateFree> certificate(SSL_get1_peer_certificate(m_state->ssl.get()));
    const std::unique_ptr<BIO, BioFree> text(BIO_new(BIO_s_mem()));
    if (!certificate || !text)
        return {};
    X509_NAME_print_ex(text.get(), X509_get_subject_name(certificate.get()), 0, XN_FLAG_RFC2253);
    return bioText(text);
}

std::string TlsEngine::peerExpiry() const
{
    const std::unique_ptr<X509, CertificateFree> certificate(SSL_get1_peer_certificate(m_state->ssl.get()));
    const std::unique_ptr<BIO, BioFree> text(BIO_new(BIO_s_mem()));
    if (!certificate || !text)
        return {};
    ASN1_TIME_print(text.get(), X509_get0_notAfter(certificate.get()));
    return bioText(text);
}

QByteArray TlsEngine::exportKeyingMaterial(const std::string &label, const QByteArray &context, bool useContext,
                                           int length) const
{
    return tls::exportKeyingMaterial(m_state->ssl.get(), label, useContext ? std::optional(context) : std::nullopt,
                                     length);
}

} // namespace tls
