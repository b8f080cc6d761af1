#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <string>

// A TLS server of one protocol version whose records travel in memory (OpenSSL memory
// BIOs): the tests' EAP server carries them in EAP messages.
class TlsServerSession {
public:
    struct Settings {
        QString certificate; // the server's, with its key
        QString key;
        QString caFile; // a client certificate must chain to it; empty: none is asked for
        bool tls13 = false;
    };

    // Null with the reason when the settings cannot be loaded.
    static std::unique_ptr<TlsServerSession> create(const Settings &settings, std::string &error);
    ~TlsServerSession();
    TlsServerSession(const TlsServerSession &) = delete;
    TlsServerSession &operator=(const TlsServerSession &) = delete;

    // Takes the client's records and moves the handshake on; false with the reason when it failed.
    bool receive(const QByteArray &records, std::string &error);
    bool isEstablished() const { return m_established; }
    // What arrived inside the session, emptied.
    QByteArray readPlain();
    bool write(const QByteArray &plain, std::string &error);
    // The records to send to the client, emptied.
    QByteArray takeRecords();
    // RFC 5705 keying material, with the context when there is one; empty when it cannot be.
    QByteArray exported(const std::string &label, int length, const std::optional<QByteArray> &context) const;

private:
    struct State;
    explicit TlsServerSession(std::unique_ptr<State> state);

    std::unique_ptr<State> m_state;
    bool m_established = false;
};
