#include "dictformat/DictionaryLine.h"

#include <QFile>

namespace dictformat {

namespace {
bool isSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

QByteArrayList fieldsOf(QByteArrayView segment)
{
    const qsizetype hash = segment.indexOf('#');
    if (hash >= 0)
        segment = segment.first(hash);
    QByteArrayList fields;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= segment.size(); ++i) {
        const bool separator = i == segment.size() || isSeparator(segment.at(i));
        if (separator && start >= 0) {
            fields << segment.sliced(start, i - start).toByteArray();
            start = -1;
        } else if (!separator && start < 0) {
            start = i;
        }
    }
    return fields;
}

QByteArrayView withoutLineEnd(QByteArrayView segment)
{
    while (!segment.isEmpty() && (segment.back() == '\n' || segment.back() == '\r'))
        segment.chop(1);
    return segment;
}
} // namespace

Keyword DictionaryLine::keyword() const
{
    return fields.isEmpty() ? Keyword::Other : DictionaryLineReader::keyword(fields.first());
}

QString DictionaryLine::field(qsizetype index) const
{
    return index < fields.size() ? QString::fromLatin1(fields.at(index)) : QString();
}

QList<DictionaryLine> DictionaryLineReader::parse(QByteArrayView bytes)
{
    QList<DictionaryLine> lines;
    int number = 0;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        // What one fgets call returns: up to and with the line feed, at most 255 octets.
        const qsizetype limit = std::min(bytes.size() - pos, BufferSize - 1);
        const qsizetype lineFeed = bytes.sliced(pos, limit).indexOf('\n');
        const qsizetype length = lineFeed < 0 ? limit : lineFeed + 1;
        const QByteArrayView segment = bytes.sliced(pos, length);
        pos += length;
        ++number;
        const char first = segment.front();
        if (first == '#' || first == '\0' || first == '\r' || first == '\n')
            continue;
        QByteArrayList fields = fieldsOf(segment);
        if (!fields.isEmpty())
            lines.append({number, std::move(fields), withoutLineEnd(segment).toByteArray()});
    }
    return lines;
}

std::optional<QByteArray> DictionaryLineReader::readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

Keyword DictionaryLineReader::keyword(QByteArrayView field)
{
    static const struct {
        const char *text;
        Keyword keyword;
    } keywords[] = {
        {"VENDOR", Keyword::Vendor},
        {"ATTRIBUTE", Keyword::Attribute},
        {"VALUE", Keyword::Value},
        {"BEGIN-VENDOR", Keyword::BeginVendor},
        {"END-VENDOR", Keyword::EndVendor},
        {"$INCLUDE", Keyword::Include},
        {"$INCLUDE-", Keyword::OptionalInclude},
    };
    for (const auto &k : keywords) {
        if (field.compare(QByteArrayView(k.text), Qt::CaseInsensitive) == 0)
            return k.keyword;
    }
    return Keyword::Other;
}

std::optional<quint32> DictionaryLineReader::number(QByteArrayView text)
{
    const bool hex = text.size() > 2 && text.at(0) == '0' && (text.at(1) == 'x' || text.at(1) == 'X');
    if (hex)
        text = text.sliced(2);
    const qsizetype dot = text.indexOf('.');
    if (dot >= 0)
        text = text.first(dot);
    if (text.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (const char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return std::nullopt;
        value = value * (hex ? 16 : 10) + quint64(digit);
        if (value > 0xffffffffULL)
            return std::nullopt;
    }
    return quint32(value);
}

std::optional<quint32> DictionaryLineReader::vendorNumber(QByteArrayView text)
{
    qsizetype digits = 0;
    while (digits < text.size() && text.at(digits) >= '0' && text.at(digits) <= '9')
        ++digits;
    return digits == 0 ? std::nullopt : number(text.first(digits));
}

} // namespace dictformat
