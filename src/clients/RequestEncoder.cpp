#include "clients/RequestEncoder.h"

namespace clients {

namespace {
constexpr unsigned kChapPassword = 3;
constexpr unsigned kMessageAuthenticator = 80;
constexpr int kAuthenticatorLength = 16;
} // namespace

RequestEncoder::RequestEncoder(QByteArray secret, AuthenticatorSource authenticators)
    : m_secret(std::move(secret)), m_authenticators(std::move(authenticators))
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
    if (outgoing.addMessageAuthenticator && pairs.indexOf(kMessageAuthenticator) < 0)
        if (radius::Status added = pairs.addOctets(kMessageAuthenticator, 0, QByteArray(kAuthenticatorLength, '\0'));
            !added)
            return Failure::failure(added.error());
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
