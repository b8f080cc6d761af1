#include "verdict/TypedValue.h"

#include "radius/Dictionary.h"
#include "radius/PairList.h"

#include <optional>

namespace verdict {

namespace {
std::optional<radius::PairValue> parsed(const QString &attribute, const QString &text)
{
    radius::PairList list;
    if (!list.add(attribute, text) || list.size() != 1)
        return std::nullopt;
    return list.at(0);
}
} // namespace

bool typedValuesEqual(const QString &attribute, const QString &received, const QString &expected)
{
    if (received == expected)
        return true;
    const std::optional<radius::AttributeInfo> info = radius::Dictionary::attribute(attribute);
    if (!info || info->type == radius::AttributeType::String)
        return false;
    const std::optional<radius::PairValue> left = parsed(attribute, received);
    const std::optional<radius::PairValue> right = parsed(attribute, expected);
    return left && right && left->integer == right->integer && left->octets == right->octets;
}

} // namespace verdict
