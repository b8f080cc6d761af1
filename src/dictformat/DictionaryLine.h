#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

namespace dictformat {

enum class Keyword { Other, Vendor, Attribute, Value, BeginVendor, EndVendor, Include, OptionalInclude };

// One line of a dictionary file that carries fields, as the library reads it.
struct DictionaryLine {
    int number = 0;        // counts every line read, comments and empty lines included
    QByteArrayList fields; // up to the first "#"
    QByteArray text;       // the line's own octets, without its line end

    Keyword keyword() const;
    // The field at the index as text; names stay byte for byte (Latin-1 maps each octet to one character).
    QString field(qsizetype index) const;
    bool operator==(const DictionaryLine &) const = default;
};

// The library reads a line into 256 bytes (fgets): a longer line is cut after 255 octets,
// its line end counted, and the rest read as a line of its own. A line starting with "#",
// CR or LF is skipped; elsewhere "#" ends the line; fields are separated by blanks, tabs,
// CR and LF; keywords are compared without case.
class DictionaryLineReader {
public:
    static constexpr qsizetype BufferSize = 256;

    static QList<DictionaryLine> parse(QByteArrayView bytes);
    static std::optional<QByteArray> readFile(const QString &path);
    static Keyword keyword(QByteArrayView field);
    // A number as the library reads one: hexadecimal after "0x", else decimal; digits only,
    // up to a "." that starts a sub-number. Nothing when it does not fit in 32 bits.
    static std::optional<quint32> number(QByteArrayView text);
    // A vendor number as the library reads one: the leading decimal digits.
    static std::optional<quint32> vendorNumber(QByteArrayView text);
};

} // namespace dictformat
