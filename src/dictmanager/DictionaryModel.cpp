#include "dictmanager/DictionaryModel.h"

#include "dictmanager/GlossorText.h"

namespace dictmanager {

QString DictionaryModel::placeholder()
{
    return glossorText("NoneSelected", "<None Selected>");
}

qsizetype DictionaryModel::firstAttribute(const QString &name) const
{
    for (qsizetype i = 0; i < attributes.size(); ++i) {
        if (attributes.at(i).name == name)
            return i;
    }
    return -1;
}

qsizetype DictionaryModel::lastAttribute(const QString &name) const
{
    for (qsizetype i = attributes.size() - 1; i >= 0; --i) {
        if (attributes.at(i).name == name)
            return i;
    }
    return -1;
}

QList<ValueEntry> DictionaryModel::valuesOf(const QString &attributeName) const
{
    QList<ValueEntry> found;
    for (const ValueEntry &value : values) {
        if (value.attributeName == attributeName)
            found << value;
    }
    return found;
}

std::optional<VendorEntry> DictionaryModel::firstVendor(const QString &vendorName) const
{
    for (const VendorEntry &entry : vendorTable) {
        if (entry.name == vendorName)
            return entry;
    }
    return std::nullopt;
}

std::optional<QString> DictionaryModel::lastVendorCode(const QString &vendorName) const
{
    for (qsizetype i = vendorTable.size() - 1; i >= 0; --i) {
        if (vendorTable.at(i).name == vendorName)
            return vendorTable.at(i).code;
    }
    return std::nullopt;
}

dictformat::VendorFormat DictionaryModel::loadedVendorFormat() const
{
    const std::optional<VendorEntry> vendor = firstVendor(vendorList.value(currentVendorIndex));
    if (!vendor)
        return {};
    return dictformat::VendorFormat::of(vendor->code, vendor->format).value_or(dictformat::VendorFormat{});
}

void DictionaryModel::clearStores()
{
    encoding = {};
    attributes.clear();
    values.clear();
    attributeList.clear();
}

void DictionaryModel::removeAttribute(const QString &name)
{
    const qsizetype index = firstAttribute(name);
    if (index >= 0)
        attributes.removeAt(index);
    values.removeIf([&](const ValueEntry &value) { return value.attributeName == name; });
}

void DictionaryModel::deleteAttributeRow(qsizetype row)
{
    if (row < 0 || row >= attributeList.size())
        return;
    removeAttribute(attributeList.at(row));
    attributeList.removeAt(row);
    modified = true;
}

void DictionaryModel::moveRow(qsizetype row, int offset)
{
    const qsizetype other = row + offset;
    if (row < 0 || other < 0 || row >= attributeList.size() || other >= attributeList.size())
        return;
    attributeList.swapItemsAt(row, other);
}

} // namespace dictmanager
