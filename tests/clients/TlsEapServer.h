#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <string>

// The server's side of EAP-TLS, PEAP version 0 (inner EAP-MSCHAPv2) and EAP-TTLS (inner
// MS-CHAPv2 or EAP-MD5) for a FakeReplyServer: a real OpenSSL TLS server whose records
// travel in memory, and just enough of each method to reach its end, honestly or at the
// point a test forges. One conversation; replies carry a Message-Authenticator.
class TlsEapServer {
public:
    enum class Method { Tls, Peap, TtlsMsChapV2, TtlsMd5 };
    // Where the server stops being honest.
    enum class End {
        Honest,
        AcceptBeforeHandshakeEnd, // an Access-Accept where the server's Finished (TLS 1.3: the commitment) goes
        AcceptBeforeInnerEnd,     // an Access-Accept where the inner method's success or challenge goes
        AcceptWithoutResult,      // PEAP: an Access-Accept where the Result TLV goes
        FailureResultThenAccept,  // PEAP: a Result TLV of failure, then an Access-Accept
        SuccessResultFirst,       // PEAP: a Result TLV of success in place of the inner method, then an Access-Accept
        NoCommitment,             // EAP-TLS over TLS 1.3: no commitment message after the handshake
        WrongKeys,                // MPPE keys of another derivation (under TLS 1.3 RFC 5216's, else altered)
    };
    struct Settings {
        Method method = Method::Tls;
        End end = End::Honest;
        bool tls13 = false;
        QString certificate; // the server's, with its key
        QString key;
        QString caFile; // EAP-TLS: the client certificate must chain to it
        QByteArray user;
        QByteArray password;
        QByteArray secret;
    };

    explicit TlsEapServer(Settings settings);
    ~TlsEapServer();
    TlsEapServer(const TlsEapServer &) = delete;
    TlsEapServer &operator=(const TlsEapServer &) = delete;

    // The reply to one Access-Request.
    QByteArray reply(const QByteArray &request);
    // What the server found wrong with the client (an Access-Reject followed, but for a PEAP
    // Result TLV that differs from the server's), for the test's messages.
    std::string problem() const;

private:
    class Session;
    std::unique_ptr<Session> m_session;
};
