#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace dictformat {

// How a vendor's attributes are laid out inside its Vendor-Specific attribute: the octets of
// the attribute number and of the length ("format=t,l[,c]" on the VENDOR line).
struct VendorFormat {
    int typeSize = 1;
    int lengthSize = 1;
    bool continuation = false;

    // The format of a VENDOR line: its option, or the library's built-in one for the number.
    // Nothing when the library refuses the option.
    static std::optional<VendorFormat> of(quint32 vendorNumber, QByteArrayView option);
    static std::optional<VendorFormat> of(const QString &vendorNumber, const QString &option);

    // The attribute numbers the library accepts for such a vendor.
    quint32 smallestAttribute() const { return typeSize == 1 ? 0 : 1; }
    quint32 largestAttribute() const;
};

} // namespace dictformat
