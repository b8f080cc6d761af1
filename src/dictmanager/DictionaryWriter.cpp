#include "dictmanager/DictionaryWriter.h"

#include "dictmanager/DictionaryModel.h"

#include <algorithm>

namespace dictmanager {

namespace {
// Left-aligned in a column of the width; a longer text is never cut.
QString padded(const QString &text, qsizetype width)
{
    return text.size() >= width ? text : text + QString(width - text.size(), QLatin1Char(' '));
}

// A column followed by another field: a text that fills it still keeps one blank, so a code
// of 8 or more characters does not run into the data type, nor a long data type into the flags.
QString column(const QString &text, qsizetype width)
{
    return text.size() >= width ? text + QLatin1Char(' ') : padded(text, width);
}

QString attributeLine(const AttributeEntry &attribute, DictionaryWriter::Variant variant)
{
    QString name;
    if (attribute.name.size() <= 30)
        name = padded(attribute.name, 32);
    else if (variant == DictionaryWriter::Variant::Switch)
        name = attribute.name + QLatin1String("  ");
    else
        name = attribute.name + QLatin1String("       ");
    const QString line = QLatin1String("ATTRIBUTE   ") + name + column(attribute.code, 8);
    if (attribute.flags.isEmpty())
        return line + padded(attribute.dataType, 16) + QLatin1Char('\n');
    return line + column(attribute.dataType, 16) + attribute.flags + QLatin1Char('\n');
}

QString valueLine(const ValueEntry &value)
{
    const QString attribute =
        value.attributeName.size() <= 30 ? padded(value.attributeName, 32) : value.attributeName + QLatin1String("  ");
    QString name;
    if (value.valueName.size() <= 20)
        name = padded(value.valueName, 24);
    else if (value.valueName.size() <= 30)
        name = padded(value.valueName, 32);
    else
        name = value.valueName + QLatin1String("  ");
    return QLatin1String("VALUE\t") + attribute + name + value.number + QLatin1Char('\n');
}

// The octets of a file being written: lines read from a file and not changed go back as
// they were; every other text is encoded as the file was read.
class FileBytes {
public:
    explicit FileBytes(const FileEncoding &encoding) : m_encoding(encoding) {}
    void text(const QString &text) { m_bytes += DictionaryWriter::toFileBytes(text, m_encoding); }
    void line(const QByteArray &asRead, const QString &formatted)
    {
        if (asRead.isEmpty())
            text(formatted);
        else
            m_bytes += asRead + "\r\n";
    }
    QByteArray bytes() const { return m_bytes; }

private:
    FileEncoding m_encoding;
    QByteArray m_bytes;
};
} // namespace

QByteArray DictionaryWriter::vendorFile(const DictionaryModel &model, const QString &vendorName, Variant variant)
{
    FileBytes file(model.encoding);
    const VendorEntry vendor = model.firstVendor(vendorName).value_or(VendorEntry{vendorName, {}});
    QString vendorText = QLatin1String("VENDOR  ") + vendorName + QLatin1String("  ") + vendor.code;
    // Without its format a vendor with wide attribute numbers no longer loads.
    if (!vendor.format.isEmpty())
        vendorText += QLatin1String("  ") + vendor.format;
    file.line(vendor.line, vendorText + QLatin1Char('\n'));
    file.text(QLatin1String("\nBEGIN-VENDOR ") + vendorName + QLatin1Char('\n'));
    // One line per shown row, taken from the store in store order.
    const qsizetype rows = std::min(model.attributeList.size(), model.attributes.size());
    for (qsizetype j = 0; j < rows; ++j)
        file.line(model.attributes.at(j).line, attributeLine(model.attributes.at(j), variant));
    file.text(QStringLiteral("\n"));
    for (const ValueEntry &value : model.values)
        file.line(value.line, valueLine(value));
    file.text(QLatin1String("\nEND-VENDOR ") + vendorName);
    return file.bytes();
}

QString DictionaryWriter::newVendorFile(const QString &vendorName, const QString &vendorCode)
{
    return QLatin1String("VENDOR  ") + vendorName + QLatin1String("  ") + vendorCode;
}

QString DictionaryWriter::index(const QStringList &vendorList)
{
    QString text;
    for (qsizetype i = 1; i < vendorList.size(); ++i)
        text += indexLine(vendorList.at(i));
    return text;
}

QString DictionaryWriter::indexLine(const QString &vendorName)
{
    return QLatin1String("$INCLUDE dictionary.") + vendorName + QLatin1Char('\n');
}

QByteArray DictionaryWriter::toFileBytes(const QString &text, const FileEncoding &encoding)
{
    QString crlf = text;
    crlf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return encoding.encode(crlf);
}

} // namespace dictmanager
