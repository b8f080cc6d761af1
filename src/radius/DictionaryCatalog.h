#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace radius {

struct BrowseVendor {
    QString name;
    quint32 number = 0;
};

struct BrowseAttribute {
    QString name;
    quint32 number = 0; // the first part of a dotted number such as 241.1
    QString oid;        // the number as the file writes it
    quint32 vendor = 0; // 0 for the standard attributes
    QString type;
};

struct BrowseValue {
    QString name;
    QString attribute;
    quint32 attributeNumber = 0;
    QString attributeOid;
    quint32 vendor = 0;
    qint64 value = 0;
};

// What the packet editor offers for picking: vendors in the library's order (the reverse
// of definition order), a vendor's attributes by name without regard to case, an
// attribute's named values by attribute number, then value number.
class DictionaryCatalog {
public:
    const QList<BrowseVendor> &vendors() const { return m_vendors; }
    // The number of the first vendor whose name equals name exactly.
    std::optional<quint32> vendorNumber(const QString &name) const;
    QList<BrowseAttribute> attributesOf(quint32 vendor) const;
    // Every value, in browse order.
    const QList<BrowseValue> &values() const { return m_values; }
    QList<BrowseValue> valuesOf(quint32 attributeNumber, quint32 vendor) const;
    QList<BrowseValue> valuesOf(const BrowseAttribute &attribute) const;
    int attributeCount() const { return int(m_attributes.size()); }

    // Problems met while reading (a missing included file, a malformed line).
    const QStringList &problems() const { return m_problems; }

private:
    friend class DictionaryFileReader;
    QList<BrowseVendor> m_vendors;
    QList<BrowseAttribute> m_attributes;           // sorted by vendor, then name
    QHash<quint32, QPair<int, int>> m_vendorSpans; // vendor -> [first, end) in m_attributes
    QList<BrowseValue> m_values;
    QStringList m_problems;
};

} // namespace radius
