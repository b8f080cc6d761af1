#pragma once

#include <QByteArray>

#include <memory>
#include <string>

namespace tls {

// What an EAP client's TLS trusts and shows. No host name is checked: an EAP server's
// name is not the RADIUS address it is reached through.
struct TlsEngineSettings {
    std::string caFile; // certificates the server's must chain to; empty: the system's
    bool verifyServer = true;
    std::string certFile; // our certificate, PEM; empty: none
    std::string keyFile;  // its private key, PEM; empty: in certFile
};

// A TLS 1.2 or 1.3 client whose records travel in memory (OpenSSL memory BIOs), for
// EAP methods that carry them inside EAP messages.
class TlsEngine {
public:
    // Null with error set when the settings cannot be loaded.
    static std::unique_ptr<TlsEngine> create(const TlsEngineSettings &settings, std::string &error);
    ~TlsEngine();
    TlsEngine(const TlsEngine &) = delete;
    TlsEngine &operator=(const TlsEngine &) = delete;

    // Takes the server's records (empty to begin), moves the handshake on and reads what
    // arrived inside the tunnel. False with the reason (the verify error when the server's
    // certificate was refused, the alert's text) when the session failed.
    bool receive(const QByteArray &records, std::string &error);
    // Sends plain data inside the established session. False with the reason.
    bool send(const QByteArray &plain, std::string &error);
    // The records to send to the server, emptied.
    QByteArray takeRecords();
    // Plain data received inside the session, emptied.
    QByteArray takePlain();

    bool isEstablished() const;
    bool isTls13() const;
    // "TLSv1.2, ECDHE-ECDSA-AES256-GCM-SHA384"
    std::string description() const;
    // The server certificate's subject ("CN=server.test") and its end of validity
    // ("Dec 12 10:00:00 2026 GMT"); empty before the handshake.
    std::string peerSubject() const;
    std::string peerExpiry() const;
    // Keying material exported from the session (RFC 5705); empty when it cannot be.
    QByteArray exportKeyingMaterial(const std::string &label, const QByteArray &context, bool useContext,
                                    int length) const;

private:
    struct State;
    explicit TlsEngine(std::unique_ptr<State> state);
    bool pump(std::string &error);
    std::string failure(int rc);

    std::unique_ptr<State> m_state;
};

} // namespace tls
