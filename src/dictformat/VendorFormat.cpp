#include "dictformat/VendorFormat.h"

#include "dictformat/DictionaryLine.h"

namespace dictformat {

namespace {
// Vendors whose format the library knows without an option.
constexpr quint32 UsRobotics = 429;
constexpr quint32 Lucent = 4846;
constexpr quint32 Starent = 8164;
constexpr quint32 WiMax = 24757;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

std::optional<VendorFormat> VendorFormat::of(quint32 vendorNumber, QByteArrayView option)
{
    if (option.isEmpty()) {
        switch (vendorNumber) {
        case UsRobotics: return VendorFormat{4, 0, false};
        case Lucent: return VendorFormat{2, 1, false};
        case Starent: return VendorFormat{2, 2, false};
        default: return VendorFormat{};
        }
    }
    if (option.size() < 7 || option.first(7).compare(QByteArrayView("format="), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const QByteArrayView p = option.sliced(7);
    if (p.size() < 3 || !isDigit(p.at(0)) || p.at(1) != ',' || !isDigit(p.at(2)) || (p.size() > 3 && p.at(3) != ','))
        return std::nullopt;
    VendorFormat format{p.at(0) - '0', p.at(2) - '0', false};
    if (format.typeSize != 1 && format.typeSize != 2 && format.typeSize != 4)
        return std::nullopt;
    if (format.lengthSize > 2)
        return std::nullopt;
    if (p.size() > 3) {
        if (p.sliced(4) != QByteArrayView("c") || vendorNumber != WiMax || format.typeSize != 1
            || format.lengthSize != 1)
            return std::nullopt;
        format.continuation = true;
    }
    return format;
}

std::optional<VendorFormat> VendorFormat::of(const QString &vendorNumber, const QString &option)
{
    const std::optional<quint32> number = DictionaryLineReader::vendorNumber(vendorNumber.toLatin1());
    return number ? of(*number, option.toLatin1()) : std::nullopt;
}

quint32 VendorFormat::largestAttribute() const
{
    switch (typeSize) {
    case 1: return 255;
    case 2: return 65535;
    default: return 0xffffffffU;
    }
}

} // namespace dictformat
