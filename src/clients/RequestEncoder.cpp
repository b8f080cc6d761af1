#include "clients/RequestEncoder.h"

namespace clients {

namespace {
constexpr unsigned kChapPassword = 3;
} // namespace

RequestEncoder::RequestEncoder(QByteArray secret, AuthenticatorSource authenticators,
                               radius::MessageAuthenticatorPlacement placement)
    : m_secret(std::move(secret)), m_authenticators(std::move(authenticators)), m_placement(placement)
{
}

radius::Result<radius::RequestPacket> RequestEncoder::encode(const Outgoing &outgoing, int id) const
{
    using Failure = radius::Result<radius::RequestPacket>;
    radius::RequestPacket request(radius::RequestPacket::Authenticator::Random);
    if (m_authenticators)
        request.setAuthenticator(m_authenticators());
    request.setCode(static_cast<unsigned>(outgoing.code));
    request.setId(id & 0xff);
    radius::PairList &pairs = request.pairs();
    pairs = outgoing.pairs->copy();
    if (radius::Status placed = radius::placeMessageAuthenticator(pairs, static_cast<unsigned>(outgoing.code),
                                                                  outgoing.addMessageAuthenticator, m_placement);
        !placed)
        return Failure::failure(placed.error());
    if (const int chap = pairs.indexOf(kChapPassword); chap >= 0) {
        const auto response = request.chapResponse(id & 0xff, pairs.at(chap).octets);
        if (!response)
            return Failure::failure(response.error());
        if (radius::Status set = pairs.setOctets(chap, *response); !set)
            return Failure::failure(set.error());
    }
    if (const auto encoded = request.encode(m_secret); !encoded)
        return Failure::failure(encoded.error());
    return request;
}

} // namespace clients
