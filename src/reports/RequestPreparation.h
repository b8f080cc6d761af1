#pragma once

#include "reports/PacketAttributes.h"

#include "radius/MessageAuthenticator.h"
#include "radius/RequestPacket.h"
#include "radius/Result.h"

#include <QByteArray>

namespace reports {

// Makes a read request ready for encoding, as the client would send it first: the
// authenticator drawn afresh from the read one, the password put into User-Password or
// turned into a CHAP response, and in EAP mode the EAP type attribute composed into
// EAP-Message attributes with a Message-Authenticator, and the Message-Authenticator placed
// as the client places it. The identifier must be set.
class RequestPreparation {
public:
    explicit RequestPreparation(
        const PacketAttributes &attributes,
        radius::MessageAuthenticatorPlacement placement = radius::MessageAuthenticatorPlacement::First)
        : m_attributes(attributes), m_placement(placement)
    {
    }

    radius::Status preparePlain(radius::RequestPacket &request, const QByteArray &savedPassword) const;
    // fallbackEapId is the EAP identifier of a request without EAP-Id.
    radius::Status prepareEap(radius::RequestPacket &request, int fallbackEapId) const;

private:
    QByteArray eapPassword(const radius::PairList &pairs) const;
    radius::Status composeEap(radius::PairList &pairs, int fallbackEapId) const;
    radius::Status putPassword(radius::RequestPacket &request, const QByteArray &password) const;
    radius::Status placeMessageAuthenticator(radius::RequestPacket &request) const;

    PacketAttributes m_attributes;
    radius::MessageAuthenticatorPlacement m_placement;
};

} // namespace reports
