#pragma once

#include "clients/EapMsChapV2Peer.h"
#include "clients/EapTlsPeer.h"

namespace clients {

// PEAP version 0 with EAP-MSCHAPv2 inside (draft-kamath-pppext-peapv0): inner EAP
// packets travel without their 4-octet header, except the server's Identity request and
// the Result TLV (EAP type 33) exchange, which keep it. The inner method and the server's
// Result TLV must both succeed before an Access-Accept counts.
class EapPeapPeer : public EapTlsPeer {
public:
    static constexpr quint8 kType = 25;

    EapPeapPeer(tls::TlsEngineSettings settings, QByteArray identity, QString password);
    void onReject(const radius::PairList &reply, PacketLog &log) override;

protected:
    bool onTunnelData(const QByteArray &plain, PacketLog &log, std::string &error) override;
    bool innerSucceeded(PacketLog &log) const override;

private:
    bool answerResult(const QByteArray &packet, PacketLog &log, std::string &error);
    std::string innerRejection() const;

    QByteArray m_identity;
    EapMsChapV2Peer m_inner;
    enum class Result { None, Success, Failure } m_result = Result::None;
};

} // namespace clients
