#pragma once

#include "reports/PacketAttributes.h"

#include "radius/RequestPacket.h"
#include "radius/Result.h"

#include <QByteArray>

namespace reports {

// Makes a read request ready for encoding, as the client would send it first: the
// authenticator drawn afresh from the read one, the password put into User-Password or
// turned into a CHAP response, and in EAP mode the EAP type attribute composed into
// EAP-Message attributes with a Message-Authenticator. The identifier must be set.
class RequestPreparation {
public:
    explicit RequestPreparation(const PacketAttributes &attributes) : m_attributes(attributes) {}

    radius::Status preparePlain(radius::RequestPacket &request, const QByteArray &savedPassword) const;
    // fallbackEapId is the EAP identifier of a request without EAP-Id.
    radius::Status prepareEap(radius::RequestPacket &request, int fallbackEapId) const;

private:
    QByteArray eapPassword(const radius::PairList &pairs) const;
    radius::Status composeEap(radius::PairList &pairs, int fallbackEapId) const;
    radius::Status putPassword(radius::RequestPacket &request, const QByteArray &password) const;
    // As the client adds it to a request the server would drop without one.
    radius::Status addRequiredMessageAuthenticator(radius::RequestPacket &request) const;

    PacketAttributes m_attributes;
};

} // namespace reports
