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
    // Whose authenticator reveals hidden values: a request's own (User-Password only), or
    // for a reply its request's (every hiding method).
    enum class Vector { Own, Request };
    // An empty secret leaves hidden values hidden.
    AttributeDecoder(unsigned code, const QByteArray &vector, Vector whose, const QByteArray &secret);

    // The attribute at the start of octets; octets holds at least the whole attribute.
    Result<DecodedAttribute> decode(const QByteArray &octets) const;

private:
    unsigned m_code;
    QByteArray m_vector;
    Vector m_whose;
    QByteArray m_secret;
};

} // namespace radius
