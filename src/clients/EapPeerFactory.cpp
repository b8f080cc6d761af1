#include "clients/EapPeerFactory.h"

#include "clients/EapMd5Peer.h"
#include "clients/EapMsChapV2Peer.h"
#include "clients/EapPeapPeer.h"
#include "clients/EapSimPeer.h"
#include "clients/EapTlsPeer.h"
#include "clients/EapTtlsPeer.h"
#include "clients/PacketScript.h"
#include "radius/Crypto.h"

namespace clients {

namespace {

using radius::EapMessage;

class EapSimMethod : public EapPeerMethod {
public:
    EapSimMethod(QByteArray identity, std::vector<SimTriplet> triplets)
        : m_peer(std::move(identity), std::move(triplets))
    {
    }
    quint8 type() const override { return EapMessage::Sim; }
    std::optional<EapMessage> respond(const EapMessage &request, PacketLog &, std::string &error) override
    {
        return m_peer.respond(request, error);
    }
    bool checkAccept(const radius::PairList &, PacketLog &) override { return true; }

private:
    EapSimPeer m_peer;
};

std::vector<SimTriplet> tripletsOf(const radius::PairList &pairs)
{
    std::vector<SimTriplet> triplets;
    for (int i = 1; i <= 3; ++i) {
        const QByteArray n = QByteArray::number(i);
        auto rand = pairs.value("EAP-Sim-Rand" + n);
        auto sres = pairs.value("EAP-Sim-SRES" + n);
        auto kc = pairs.value("EAP-Sim-KC" + n);
        if (rand && sres && kc)
            triplets.push_back(SimTriplet{*rand, *sres, *kc});
    }
    return triplets;
}

EapOptions::Method automaticMethod(const radius::PairList &pairs)
{
    return pairs.indexOf("EAP-Sim-Rand1") >= 0 || pairs.indexOf("EAP-Type-SIM") >= 0 ? EapOptions::Method::Sim
                                                                                     : EapOptions::Method::Md5;
}

tls::TlsEngineSettings tlsSettings(const EapOptions &options)
{
    return {options.caFile, !options.insecure, options.certFile, options.keyFile};
}

} // namespace

EapCredentials EapCredentials::of(const PacketTemplate &packet)
{
    EapCredentials credentials;
    if (auto identity = packet.pairs.value("EAP-Type-Identity"))
        credentials.identity = *identity;
    else if (auto name = packet.pairs.value("User-Name"))
        credentials.identity = *name;
    if (auto password = packet.pairs.value("EAP-MD5-Password"))
        credentials.password = *password;
    else if (auto clear = packet.pairs.value("User-Password"))
        credentials.password = *clear;
    return credentials;
}

std::unique_ptr<EapPeerMethod> makeEapPeer(const EapOptions &options, const PacketTemplate &packet, std::string &error)
{
    using Method = EapOptions::Method;
    const EapCredentials credentials = EapCredentials::of(packet);
    const Method method = options.method == Method::Automatic ? automaticMethod(packet.pairs) : options.method;
    switch (method) {
    case Method::Sim: {
        auto triplets = tripletsOf(packet.pairs);
        if (triplets.size() < 2) {
            error = "EAP-SIM needs at least two triplets (EAP-Sim-RandN, EAP-Sim-SRESN, EAP-Sim-KCN)";
            return nullptr;
        }
        return std::make_unique<EapSimMethod>(credentials.identity, std::move(triplets));
    }
    case Method::MsChapV2:
        return std::make_unique<EapMsChapV2Peer>(credentials.identity, QString::fromUtf8(credentials.password));
    case Method::Peap:
        return std::make_unique<EapPeapPeer>(tlsSettings(options), credentials.identity,
                                             QString::fromUtf8(credentials.password));
    case Method::Ttls:
        return std::make_unique<EapTtlsPeer>(tlsSettings(options), options.inner, credentials.identity,
                                             credentials.password);
    case Method::Tls: return std::make_unique<EapTlsPeer>(tlsSettings(options));
    default: return std::make_unique<EapMd5Peer>(credentials.password);
    }
}

} // namespace clients
