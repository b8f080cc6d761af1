#pragma once

#include "dictformat/VendorFormat.h"
#include "dictmanager/DictionaryEntries.h"
#include "dictmanager/FileEncoding.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace dictmanager {

// The in-memory dictionary of the window: the vendors known, and the stores of the one
// vendor whose file is loaded. A plain aggregate: the commands that change it keep its
// rules (attribute list and attribute store always equally long).
struct DictionaryModel {
    static QString placeholder(); // "<None Selected>", always entry 0 of the vendor list

    QStringList vendorList{placeholder()};
    QList<VendorEntry> vendorTable;
    QList<AttributeEntry> attributes;
    QList<ValueEntry> values;
    QStringList attributeList; // the names as shown; the move commands reorder only these
    int currentVendorIndex = 0;
    bool modified = false;
    QString uploadVendor = QStringLiteral("vendor");
    QString vendorCode;    // the code shown for the chosen vendor
    FileEncoding encoding; // of the loaded vendor's file

    // First attribute store entry with the name, or -1.
    qsizetype firstAttribute(const QString &name) const;
    qsizetype lastAttribute(const QString &name) const;
    // The values carrying the attribute name, in stored order.
    QList<ValueEntry> valuesOf(const QString &attributeName) const;
    std::optional<VendorEntry> firstVendor(const QString &vendorName) const;
    std::optional<QString> lastVendorCode(const QString &vendorName) const;
    // The format of the vendor whose file is loaded: what its attribute numbers may be.
    dictformat::VendorFormat loadedVendorFormat() const;

    void clearStores();
    // Removes the first attribute store entry with the name and every value carrying it.
    void removeAttribute(const QString &name);
    // Deletes the attribute shown at the row, with its entry and values.
    void deleteAttributeRow(qsizetype row);
    void moveRow(qsizetype row, int offset);
};

} // namespace dictmanager
