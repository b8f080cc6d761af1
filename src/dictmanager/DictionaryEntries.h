#pragma once

#include <QString>

namespace dictmanager {

// Records of a vendor dictionary. Every field is text exactly as written: codes, numbers
// and data types are never converted, so a save writes back what was read.

struct VendorEntry {
    QString name;
    QString code;
    bool operator==(const VendorEntry &) const = default;
};

struct AttributeEntry {
    QString name;
    QString code;
    QString dataType;
    bool operator==(const AttributeEntry &) const = default;
};

struct ValueEntry {
    QString attributeName;
    QString valueName;
    QString number;
    bool operator==(const ValueEntry &) const = default;
};

} // namespace dictmanager
