#pragma once

#include "radius/PairList.h"
#include "radius/Result.h"

#include <QByteArray>

namespace radius {

// The pairs of one received attribute, as the library decodes it, and the octets it took.
struct DecodedAttribute {
    PairList pairs;
    int consumed = 0;
};

// Decodes received attributes one at a time by the loaded dictionary, so that a packet
// whose later attributes are broken still shows the ones before.
class AttributeDecoder {
public:
    // vector reveals hidden values: a request's own authenticator, for a reply its
    // request's. An empty secret leaves them hidden.
    AttributeDecoder(unsigned code, const QByteArray &vector, const QByteArray &secret);

    // The attribute at the start of octets; octets holds at least the whole attribute.
    Result<DecodedAttribute> decode(const QByteArray &octets) const;

private:
    unsigned m_code;
    QByteArray m_vector;
    QByteArray m_secret;
};

} // namespace radius
