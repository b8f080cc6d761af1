#pragma once

#include "clients/Conversation.h"

#include "radius/RequestPacket.h"
#include "radius/Result.h"

#include <QByteArray>

#include <functional>

namespace clients {

// Turns a conversation's next request into the signed octets to send: a copy of its pairs,
// a Message-Authenticator where asked, the CHAP-Password's clear text turned into its CHAP
// response, then the library's encoder.
class RequestEncoder {
public:
    // 16 octets for the next request's authenticator; unset: the library's random source.
    using AuthenticatorSource = std::function<QByteArray()>;

    explicit RequestEncoder(QByteArray secret, AuthenticatorSource authenticators = {});

    radius::Result<radius::RequestPacket> encode(const Outgoing &outgoing, int id) const;

private:
    QByteArray m_secret;
    AuthenticatorSource m_authenticators;
};

} // namespace clients
