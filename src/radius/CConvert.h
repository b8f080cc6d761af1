#pragma once

// Conversions from the C face's structs; for this folder's .cpp files only.

#include "radius/AttributeInfo.h"
#include "radius/fr_api.h"

namespace radius {

inline AttributeInfo attributeFromC(const pr_attr_info &info)
{
    return AttributeInfo{QString::fromUtf8(info.name),          info.number,       info.vendor,
                         static_cast<AttributeType>(info.type), info.has_tag != 0, info.encrypt};
}

} // namespace radius
