#include "TlsServerSession.h"

#include "tls/MemoryTls.h"

#include <openssl/err.h>
#include <openssl/ssl.h>

namespace {

struct SslFree {
    void operator()(SSL *ssl) const { SSL_free(ssl); }
    void operator()(SSL_CTX *context) const { SSL_CTX_free(context); }
};

std::string openSslErrors()
{
    std::string text;
    while (const unsigned long code = ERR_get_error()) {
        char buffer[256];
        ERR_error_string_n(code, buffer, sizeof(buffer));
        text += (text.empty() ? "" : "; ") + std::string(buffer);
    }
    return text;
}

} // namespace

struct TlsServerSession::State {
    std::unique_ptr<SSL_CTX, SslFree> context;
    std::unique_ptr<SSL, SslFree> ssl;
    BIO *in = nullptr;  // owned by ssl
    BIO *out = nullptr; // owned by ssl
};

TlsServerSession::TlsServerSession(std::unique_ptr<State> state) : m_state(std::move(state))
{
}

TlsServerSession::~TlsServerSession() = default;

std::unique_ptr<TlsServerSession> TlsServerSession::create(const Settings &settings, std::string &error)
{
    auto state = std::make_unique<State>();
    const int version = settings.tls13 ? TLS1_3_VERSION : TLS1_2_VERSION;
    state->context.reset(SSL_CTX_new(TLS_server_method()));
    SSL_CTX *context = state->context.get();
    if (!context || SSL_CTX_set_min_proto_version(context, version) != 1
        || SSL_CTX_set_max_proto_version(context, version) != 1
        || SSL_CTX_use_certificate_chain_file(context, settings.certificate.toUtf8().constData()) != 1
        || SSL_CTX_use_PrivateKey_file(context, settings.key.toUtf8().constData(), SSL_FILETYPE_PEM) != 1) {
        error = "cannot set up TLS: " + openSslErrors();
        return nullptr;
    }
    if (!settings.caFile.isEmpty()) {
        if (SSL_CTX_load_verify_locations(context, settings.caFile.toUtf8().constData(), nullptr) != 1) {
            error = "cannot read the CA: " + openSslErrors();
            return nullptr;
        }
        SSL_CTX_set_verify(context, SSL_VERIFY_PEER | SSL_VERIFY_FAIL_IF_NO_PEER_CERT, nullptr);
    }
    state->ssl.reset(SSL_new(context));
    BIO *in = BIO_new(BIO_s_mem());
    BIO *out = BIO_new(BIO_s_mem());
    if (!state->ssl || !in || !out) {
        BIO_free(in);
        BIO_free(out);
        error = "cannot set up TLS: " + openSslErrors();
        return nullptr;
    }
    BIO_set_mem_eof_return(in, -1);
    SSL_set_bio(state->ssl.get(), in, out);
    SSL_set_accept_state(state->ssl.get());
    state->in = in;
    state->out = out;
    return std::unique_ptr<TlsServerSession>(new TlsServerSession(std::move(state)));
}

bool TlsServerSession::receive(const QByteArray &records, std::string &error)
{
    if (!records.isEmpty() && BIO_write(m_state->in, records.constData(), int(records.size())) != int(records.size())) {
        error = "cannot take the client's records";
        return false;
    }
    if (m_established)
        return true;
    const int rc = SSL_do_handshake(m_state->ssl.get());
    if (rc == 1)
        m_established = true;
    else if (SSL_get_error(m_state->ssl.get(), rc) != SSL_ERROR_WANT_READ) {
        error = "TLS handshake failed: " + openSslErrors();
        return false;
    }
    return true;
}

QByteArray TlsServerSession::readPlain()
{
    QByteArray plain;
    char buffer[4096];
    std::size_t done = 0;
    while (SSL_read_ex(m_state->ssl.get(), buffer, sizeof(buffer), &done) == 1)
        plain.append(buffer, qsizetype(done));
    ERR_clear_error();
    return plain;
}

bool TlsServerSession::write(const QByteArray &plain, std::string &error)
{
    std::size_t done = 0;
    if (SSL_write_ex(m_state->ssl.get(), plain.constData(), std::size_t(plain.size()), &done) == 1)
        return true;
    error = "cannot write inside the session: " + openSslErrors();
    return false;
}

QByteArray TlsServerSession::takeRecords()
{
    return tls::takeAll(m_state->out);
}

QByteArray TlsServerSession::exported(const std::string &label, int length,
                                      const std::optional<QByteArray> &context) const
{
    return tls::exportKeyingMaterial(m_state->ssl.get(), label, context, length);
}
