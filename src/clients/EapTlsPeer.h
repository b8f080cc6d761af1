#pragma once

#include "clients/EapPeerMethod.h"
#include "tls/TlsEngine.h"

#include <QByteArray>

#include <memory>

namespace clients {

// EAP-TLS (RFC 5216): the TLS records of a client session in EAP-TLS messages, each at
// most kFragmentSize octets of TLS (L and M flags, the total length in the first of
// several), the server's fragments acknowledged and joined. The server's certificate is
// shown and checked as the settings say; an Access-Accept must follow the handshake (over
// TLS 1.3 the server's commitment message too, RFC 9190) and carry the MPPE keys the
// session gives. EAP-TTLS and PEAP carry their inner method through the hooks below.
class EapTlsPeer : public EapPeerMethod {
public:
    static constexpr quint8 kType = 13;
    static constexpr int kFragmentSize = 1014;

    explicit EapTlsPeer(tls::TlsEngineSettings settings, quint8 type = kType);
    quint8 type() const override { return m_type; }
    std::optional<radius::EapMessage> respond(const radius::EapMessage &request, PacketLog &log,
                                              std::string &error) override;
    bool checkAccept(const radius::PairList &reply, PacketLog &log) override;
    std::string toldFailure() const override { return m_toldFailure; }

    // The MS-MPPE-Recv-Key and -Send-Key the session gives (32 octets each); empty before
    // the handshake ended.
    struct Keys {
        QByteArray receiveKey;
        QByteArray sendKey;
    };
    Keys mppeKeys() const;

protected:
    // The handshake has just ended; a tunnel may send its first data.
    virtual bool onEstablished(PacketLog &log, std::string &error);
    // Data arrived inside the session.
    virtual bool onTunnelData(const QByteArray &plain, PacketLog &log, std::string &error);
    // Whether the method inside the session, if any, has succeeded (EAP-TLS over TLS 1.3:
    // the server has committed to the end of the handshake); told when not.
    virtual bool innerSucceeded(PacketLog &log) const;
    // RFC 5705 label of the keying material under TLS 1.2.
    virtual const char *keyLabel() const { return "client EAP encryption"; }
    bool sendInside(const QByteArray &plain, std::string &error);
    bool isEstablished() const { return m_engine && m_engine->isEstablished(); }
    // RFC 5705 keying material of the session (no context); empty before the handshake.
    QByteArray exportKeys(const char *label, int length) const;

private:
    std::optional<QByteArray> start(PacketLog &log, std::string &error);
    std::optional<QByteArray> take(const QByteArray &data, PacketLog &log, std::string &error);
    QByteArray nextFragment();
    QByteArray acknowledgement() const { return QByteArray(1, '\0'); }

    tls::TlsEngineSettings m_settings;
    quint8 m_type;
    std::unique_ptr<tls::TlsEngine> m_engine;
    QByteArray m_incoming;
    QByteArray m_outgoing;
    bool m_sendingFragments = false;
    bool m_committed = false;
    std::string m_toldFailure;
};

} // namespace clients
