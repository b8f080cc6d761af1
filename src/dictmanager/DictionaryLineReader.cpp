#include "dictmanager/DictionaryLineReader.h"

#include <QFile>
#include <QStringDecoder>

namespace dictmanager {

namespace {
bool isSeparator(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r')
        || c == QLatin1Char('\n');
}

QStringList tokensOf(const QString &segment)
{
    QStringList tokens;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= segment.size(); ++i) {
        const bool separator = i == segment.size() || isSeparator(segment.at(i));
        if (separator && start >= 0) {
            tokens << segment.mid(start, i - start);
            start = -1;
        } else if (!separator && start < 0) {
            start = i;
        }
    }
    return tokens;
}
} // namespace

QList<DictionaryLine> DictionaryLineReader::parse(const QString &text)
{
    QList<DictionaryLine> lines;
    int number = 0;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype lineFeed = text.indexOf(QLatin1Char('\n'), pos);
        const qsizetype end = lineFeed < 0 ? text.size() : lineFeed;
        qsizetype contentEnd = end;
        if (contentEnd > pos && text.at(contentEnd - 1) == QLatin1Char('\r'))
            --contentEnd;
        QString segment;
        if (contentEnd - pos > SegmentLength) {
            segment = text.mid(pos, SegmentLength);
            pos += SegmentLength;
        } else {
            segment = text.mid(pos, contentEnd - pos);
            pos = lineFeed < 0 ? text.size() : lineFeed + 1;
        }
        ++number;
        if (segment.isEmpty() || segment.front() == QLatin1Char('#')
            || segment.front() == QLatin1Char('\r') || segment.front() == QLatin1Char('\n'))
            continue;
        QStringList tokens = tokensOf(segment);
        if (!tokens.isEmpty())
            lines.append({number, tokens});
    }
    return lines;
}

QString DictionaryLineReader::decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

std::optional<QString> DictionaryLineReader::readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decode(file.readAll());
}

} // namespace dictmanager
