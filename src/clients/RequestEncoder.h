#pragma once

#include "clients/Conversation.h"

#include "radius/MessageAuthenticator.h"
#include "radius/RequestPacket.h"
#include "radius/Result.h"

#include <QByteArray>

#include <functional>

namespace clients {

// Turns a conversation's next request into the signed octets to send: a copy of its pairs,
// a Message-Authenticator placed as the run asks, the CHAP-Password's clear text turned into its CHAP
// response, then the library's encoder.
class RequestEncoder {
public:
    // 16 octets for the next request's authenticator; unset: the library's random source.
    using AuthenticatorSource = std::function<QByteArray()>;

    explicit RequestEncoder(
        QByteArray secret, AuthenticatorSource authenticators = {},
        radius::MessageAuthenticatorPlacement placement = radius::MessageAuthenticatorPlacement::First);

    radius::Result<radius::RequestPacket> encode(const Outgoing &outgoing, int id) const;

private:
    QByteArray m_secret;
    AuthenticatorSource m_authenticators;
    radius::MessageAuthenticatorPlacement m_placement;
};

} // namespace clients
