#pragma once

#include <QByteArray>
#include <QString>

namespace dictmanager {

// Records of a vendor dictionary. Every field is text exactly as written: codes, numbers
// and data types are never converted, so a save writes back what was read. A record read
// from a file keeps that line's octets, written back as they were while the record is
// unchanged; two records are equal when their fields are, wherever they came from.

struct VendorEntry {
    QString name;
    QString code;
    QString format = {}; // the option after the code ("format=2,1"), written back as read
    QByteArray line = {};
    bool operator==(const VendorEntry &o) const { return name == o.name && code == o.code && format == o.format; }
};

struct AttributeEntry {
    QString name;
    QString code;
    QString dataType;
    QString flags = {}; // the field after the data type ("encrypt=1", "has_tag"), written back as read
    QByteArray line = {};
    bool operator==(const AttributeEntry &o) const
    {
        return name == o.name && code == o.code && dataType == o.dataType && flags == o.flags;
    }
};

struct ValueEntry {
    QString attributeName;
    QString valueName;
    QString number;
    QByteArray line = {};
    bool operator==(const ValueEntry &o) const
    {
        return attributeName == o.attributeName && valueName == o.valueName && number == o.number;
    }
};

} // namespace dictmanager
