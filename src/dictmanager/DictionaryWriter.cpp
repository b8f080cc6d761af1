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
    const QString attribute = value.attributeName.size() <= 30 ? padded(value.attributeName, 32)
                                                               : value.attributeName + QLatin1String("  ");
    QString name;
    if (value.valueName.size() <= 20)
        name = padded(value.valueName, 24);
    else if (value.valueName.size() <= 30)
        name = padded(value.valueName, 32);
    else
        name = value.valueName + QLatin1String("  ");
    return QLatin1String("VALUE\t") + attribute + name + value.number + QLatin1Char('\n');
}
} // namespace

QString DictionaryWriter::vendorFile(const DictionaryModel &model, const QString &vendorName,
                                     Variant variant)
{
    const VendorEntry vendor = model.firstVendor(vendorName).value_or(VendorEntry{vendorName, {}});
    QString text = QLatin1String("VENDOR  ") + vendorName + QLatin1String("  ") + vendor.code;
    // Without its format a vendor with wide attribute numbers no longer loads.
    if (!vendor.format.isEmpty())
        text += QLatin1String("  ") + vendor.format;
    text += QLatin1Char('\n');
    text += QLatin1String("\nBEGIN-VENDOR ") + vendorName + QLatin1Char('\n');
    // One line per shown row, taken from the store in store order.
    const qsizetype rows = std::min(model.attributeList.size(), model.attributes.size());
    for (qsizetype j = 0; j < rows; ++j)
        text += attributeLine(model.attributes.at(j), variant);
    text += QLatin1Char('\n');
    for (const ValueEntry &value : model.values)
        text += valueLine(value);
    text += QLatin1String("\nEND-VENDOR ") + vendorName;
    return text;
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

QByteArray DictionaryWriter::toFileBytes(const QString &text)
{
    QString crlf = text;
    crlf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return crlf.toUtf8();
}

} // namespace dictmanager
