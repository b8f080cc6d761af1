#pragma once

#include "radius/AttributeInfo.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace radius {

// What a value must look like for its attribute, in the words the user is told.
enum class ValueForm {
    Text,
    Number,
    Ipv4Address,
    Ipv6Address,
    IpAddress,
    Ipv4Prefix,
    Ipv6Prefix,
    IpPrefix,
    Date,
    HexOctets,
    Ethernet,
    InterfaceId,
    Other
};

struct ValueVerdict {
    enum class Outcome { Accepted, NotInDictionary, WrongForm, TooLong };
    Outcome outcome = Outcome::Accepted;
    AttributeInfo attribute; // as the dictionary defines it; empty when it does not
    ValueForm form = ValueForm::Other;
    qsizetype octets = 0; // the value's length
    QString libraryText;  // the library's reason, when it refused the value

    // A name the dictionary lacks is taken as typed, unchecked.
    bool accepted() const { return outcome == Outcome::Accepted || outcome == Outcome::NotInDictionary; }
};

// Checks a value (its octets, escapes already undone) against its attribute's type in the
// loaded dictionary, by letting the library parse it as the clients will.
class AttributeValueCheck {
public:
    static constexpr qsizetype MaxOctets = 253; // what one attribute can carry

    static ValueVerdict check(const QString &name, const QByteArray &value);
    static ValueForm formOf(AttributeType type);
    // The type's keyword in dictionary files ("integer", "ipaddr", ...).
    static QString typeName(AttributeType type);
    static std::optional<AttributeInfo> attribute(const QString &name);
};

} // namespace radius
