#pragma once

#include <QString>

namespace radius {

// Value types of the dictionary, numbered as the library numbers them.
enum class AttributeType {
    Invalid = 0,
    String,
    Integer,
    Ipv4Address,
    Date,
    Abinary,
    Octets,
    Ifid,
    Ipv6Address,
    Ipv6Prefix,
    Byte,
    Short,
    Ethernet,
    Signed,
    ComboIpAddress,
    Tlv,
    Extended,
    LongExtended,
    Evs,
    Integer64,
    Ipv4Prefix,
    Vsa,
    Timeval,
    Boolean,
    ComboIpPrefix,
    Other
};

// One attribute as the loaded dictionary defines it.
struct AttributeInfo {
    QString name;
    unsigned number = 0;
    unsigned vendor = 0;
    AttributeType type = AttributeType::Invalid;
    bool hasTag = false;
    int encrypt = 0; // hiding method, 0 for none
};

} // namespace radius
