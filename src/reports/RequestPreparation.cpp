#include "reports/RequestPreparation.h"

#include "radius/Crypto.h"
#include "radius/EapMessage.h"

namespace reports {

using radius::PairList;
using radius::RequestPacket;
using radius::Status;

namespace {

void renewAuthenticator(RequestPacket &request)
{
    request.setAuthenticator(radius::Crypto::md5(request.authenticator()));
}

int indexOfInternal(const PairList &pairs, unsigned number)
{
    return number == 0 ? -1 : pairs.indexOf(number, 0);
}

} // namespace

Status RequestPreparation::preparePlain(RequestPacket &request, const QByteArray &savedPassword) const
{
    renewAuthenticator(request);
    if (Status put = putPassword(request, savedPassword); !put)
        return put;
    return placeMessageAuthenticator(request);
}

Status RequestPreparation::prepareEap(RequestPacket &request, int fallbackEapId) const
{
    const QByteArray password = eapPassword(request.pairs());
    if (Status composed = composeEap(request.pairs(), fallbackEapId); !composed)
        return composed;
    renewAuthenticator(request);
    if (Status put = putPassword(request, password); !put)
        return put;
    return placeMessageAuthenticator(request);
}

QByteArray RequestPreparation::eapPassword(const PairList &pairs) const
{
    for (unsigned number : {m_attributes.eapMd5Password, m_attributes.userPassword, m_attributes.chapPassword}) {
        const int index = indexOfInternal(pairs, number);
        if (index >= 0)
            return pairs.at(index).octets;
    }
    return {};
}

Status RequestPreparation::composeEap(PairList &pairs, int fallbackEapId) const
{
    int typeIndex = -1;
    for (int i = 0; i < pairs.size() && typeIndex < 0; ++i) {
        const radius::PairValue pair = pairs.at(i);
        if (m_attributes.isEapType(pair.attribute.number, pair.attribute.vendor))
            typeIndex = i;
    }
    if (typeIndex < 0)
        return {};

    const radius::PairValue typePair = pairs.at(typeIndex);
    const int codeIndex = indexOfInternal(pairs, m_attributes.eapCode);
    const int idIndex = indexOfInternal(pairs, m_attributes.eapId);
    const int code = codeIndex >= 0 ? int(pairs.at(codeIndex).integer) : 1;
    const int identifier = idIndex >= 0 ? int(pairs.at(idIndex).integer) : fallbackEapId;
    const int type = int(typePair.attribute.number - m_attributes.eapTypeBase);

    for (int at = pairs.indexOf(m_attributes.eapMessage); at >= 0; at = pairs.indexOf(m_attributes.eapMessage))
        pairs.remove(at);
    const radius::EapMessage eap{quint8(code), quint8(identifier), quint8(type), typePair.octets};
    if (Status added = eap.appendTo(pairs); !added)
        return added;
    if (pairs.indexOf(m_attributes.messageAuthenticator) < 0)
        return pairs.addOctets(m_attributes.messageAuthenticator, 0, QByteArray(16, '\0'));
    return {};
}

Status RequestPreparation::placeMessageAuthenticator(RequestPacket &request) const
{
    return radius::placeMessageAuthenticator(request.pairs(), request.code(),
                                             RequestPacket::requiresMessageAuthenticator(request.code()), m_placement);
}

Status RequestPreparation::putPassword(RequestPacket &request, const QByteArray &password) const
{
    if (password.isEmpty())
        return {};
    PairList &pairs = request.pairs();
    if (const int index = pairs.indexOf(m_attributes.userPassword); index >= 0)
        return pairs.setOctets(index, password);
    const int index = pairs.indexOf(m_attributes.chapPassword);
    if (index < 0)
        return {};
    const auto response = request.chapResponse(request.id() & 0xff, password);
    if (!response)
        return Status::failure(response.error());
    return pairs.setOctets(index, *response);
}

} // namespace reports
