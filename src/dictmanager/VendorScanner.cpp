#include "dictmanager/VendorScanner.h"

#include "dictformat/DictionaryLine.h"
#include "dictmanager/FileEncoding.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace dictmanager {

namespace {
void scanInto(const QString &directory, VendorScanner::Result &result, QSet<QString> &visited)
{
    // A link back up the tree must not make the scan endless.
    const QString canonical = QFileInfo(directory).canonicalFilePath();
    if (canonical.isEmpty() || visited.contains(canonical))
        return;
    visited.insert(canonical);

    const QFileInfoList entries = QDir(directory).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QFileInfo &entry : entries) {
        const QString path = directory + QLatin1Char('/') + entry.fileName();
        if (entry.isDir()) {
            scanInto(path, result, visited);
            continue;
        }
        const std::optional<QByteArray> bytes = dictformat::DictionaryLineReader::readFile(path);
        if (!bytes) {
            result.unreadable << path;
            continue;
        }
        const FileEncoding encoding = FileEncoding::of(*bytes);
        for (const dictformat::DictionaryLine &line : dictformat::DictionaryLineReader::parse(*bytes)) {
            if (line.fields.size() >= 2 && line.keyword() == dictformat::Keyword::Vendor)
                result.names << encoding.decode(line.fields.at(1));
        }
    }
}
} // namespace

VendorScanner::Result VendorScanner::scan(const QString &directory)
{
    Result result;
    QSet<QString> visited;
    scanInto(directory, result, visited);
    return result;
}

} // namespace dictmanager
