#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace platform {

// Writes a file's whole content through a temporary file renamed into place, so a failure
// leaves the previous file whole. On failure gives the reason when asked.
inline bool writeWholeFile(const QString &path, const QByteArray &content, QString *reason = nullptr)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit())
        return true;
    if (reason)
        *reason = file.errorString();
    return false;
}

} // namespace platform
