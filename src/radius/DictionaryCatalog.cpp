#include "radius/DictionaryCatalog.h"

namespace radius {

std::optional<quint32> DictionaryCatalog::vendorNumber(const QString &name) const
{
    for (const BrowseVendor &v : m_vendors)
        if (v.name == name)
            return v.number;
    return std::nullopt;
}

QList<BrowseAttribute> DictionaryCatalog::attributesOf(quint32 vendor) const
{
    const auto span = m_vendorSpans.value(vendor, {0, 0});
    return m_attributes.mid(span.first, span.second - span.first);
}

QList<BrowseValue> DictionaryCatalog::valuesOf(quint32 attributeNumber, quint32 vendor) const
{
    QList<BrowseValue> out;
    for (const BrowseValue &v : m_values)
        if (v.attributeNumber == attributeNumber && v.vendor == vendor)
            out.append(v);
    return out;
}

QList<BrowseValue> DictionaryCatalog::valuesOf(const BrowseAttribute &attribute) const
{
    QList<BrowseValue> out;
    for (const BrowseValue &v : m_values)
        if (v.vendor == attribute.vendor && v.attributeOid == attribute.oid)
            out.append(v);
    return out;
}

} // namespace radius
