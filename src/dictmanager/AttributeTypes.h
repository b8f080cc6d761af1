#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace dictformat {
struct VendorFormat;
}

namespace dictmanager {

// What the dictionary library accepts for a vendor's attribute: its data type words, the
// flags each type may carry, and which types take named values in which range. Anything it
// refuses fails the load of the whole main dictionary.
class AttributeTypes {
public:
    // The words the attribute dialog offers.
    static QStringList offered();

    // Why the library would refuse an attribute of this type and these flags (the field after
    // the type, comma-separated) for a vendor of this format; nothing when it loads.
    static std::optional<QString> typeProblem(const QString &dataType, const QString &flags,
                                              const dictformat::VendorFormat &format);

    static bool allowsNamedValues(const QString &dataType);
    // Why the number cannot be a named value of the type; nothing when it can.
    static std::optional<QString> valueProblem(const QString &dataType, const QString &valueName,
                                               const QString &number);
};

} // namespace dictmanager
