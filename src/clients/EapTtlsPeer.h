#pragma once

#include "clients/EapMd5Peer.h"
#include "clients/EapOptions.h"
#include "clients/EapTlsPeer.h"

#include <QString>

namespace clients {

// EAP-TTLS version 0 (RFC 5281) with PAP, MS-CHAPv2 (RFC 5281 section 11.2.4: the
// challenge taken from the session) or EAP-MD5 inside, as Diameter AVPs; the inner
// method's first message goes with the end of the handshake.
class EapTtlsPeer : public EapTlsPeer {
public:
    static constexpr quint8 kType = 21;

    EapTtlsPeer(tls::TlsEngineSettings settings, EapOptions::Inner inner, QByteArray identity, QByteArray password);
    void onReject(const radius::PairList &reply, PacketLog &log) override;

protected:
    bool onEstablished(PacketLog &log, std::string &error) override;
    bool onTunnelData(const QByteArray &plain, PacketLog &log, std::string &error) override;
    bool innerSucceeded(PacketLog &log) const override;
    const char *keyLabel() const override { return "ttls keying material"; }

private:
    bool startMsChapV2(std::string &error);
    bool checkMsChapV2Success(const QByteArray &value, PacketLog &log, std::string &error);
    bool answerEap(const QByteArray &packet, PacketLog &log, std::string &error);
    std::string innerName() const;

    EapOptions::Inner m_inner;
    QByteArray m_identity;
    QByteArray m_password;
    EapMd5Peer m_md5;
    QByteArray m_authenticatorChallenge;
    QByteArray m_peerChallenge;
    QByteArray m_ntResponse;
    bool m_verified = false;
    bool m_md5Answered = false;
};

} // namespace clients
