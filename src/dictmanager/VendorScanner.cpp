#include "dictmanager/VendorScanner.h"

#include "dictmanager/DictionaryLineReader.h"

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
        const std::optional<QString> text = DictionaryLineReader::readFile(path);
        if (!text) {
            result.unreadable << path;
            continue;
        }
        for (const DictionaryLine &line : DictionaryLineReader::parse(*text)) {
            if (line.tokens.size() >= 2 && line.tokens.at(0) == QLatin1String("VENDOR"))
                result.names << line.tokens.at(1);
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
