#pragma once

#include <QString>

namespace dictmanager {

// Records of a vendor dictionary. Every field is text exactly as written: codes, numbers
// and data types are never converted, so a save writes back what was read.

struct VendorEntry {
    QString name;
    QString code;
    QString format = {}; // the option after the code ("format=2,1"), written back as read
    bool operator==(const VendorEntry &) const = default;
};

struct AttributeEntry {
    QString name;
    QString code;
    QString dataType;
    QString flags = {}; // the field after the data type ("encrypt=1", "has_tag"), written back as read
    bool operator==(const AttributeEntry &) const = default;
};

struct ValueEntry {
    QString attributeName;
    QString valueName;
    QString number;
    bool operator==(const ValueEntry &) const = default;
};

} // namespace dictmanager
