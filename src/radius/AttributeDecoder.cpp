#include "radius/AttributeDecoder.h"

#include "radius/fr_api.h"

#include <new>

namespace radius {

AttributeDecoder::AttributeDecoder(unsigned code, const QByteArray &vector, Vector whose, const QByteArray &secret)
    : m_code(code), m_vector(vector.leftJustified(16, '\0', true)), m_whose(whose), m_secret(secret)
{
}

Result<DecodedAttribute> AttributeDecoder::decode(const QByteArray &octets) const
{
    pr_pairs *pairs = pr_pairs_new();
    if (!pairs)
        throw std::bad_alloc();
    PairList list = PairList::adopt(pairs);
    char err[512] = {};
    const long used =
        pr_attr_decode(pairs, m_code, reinterpret_cast<const uint8_t *>(octets.constData()), size_t(octets.size()),
                       reinterpret_cast<const uint8_t *>(m_vector.constData()), m_whose == Vector::Request ? 1 : 0,
                       m_secret.isEmpty() ? nullptr : m_secret.constData(), err, sizeof err);
    if (used < 0)
        return Result<DecodedAttribute>::failure(QString::fromUtf8(err));
    return DecodedAttribute{std::move(list), int(used)};
}

} // namespace radius
