#include "shell/HelpPage.h"

#include <QDir>
#include <QFileInfo>

namespace shell {

QString helpPagePath(const QString &helpFolder, const QString &namedPage)
{
    const QDir folder(helpFolder);
    QString index = folder.filePath(QStringLiteral("index.html"));
    const QString named = QDir::cleanPath(namedPage.trimmed());
    if (named.isEmpty() || named == QLatin1String(".") || QDir::isAbsolutePath(named) || named == QLatin1String("..")
        || named.startsWith(QLatin1String("../")))
        return index;
    const QString page = folder.filePath(named);
    return QFileInfo(page).isFile() ? page : index;
}

} // namespace shell
