#include "dictmanager/SafeFile.h"

#include "platform/WholeFile.h"

#include <QFile>

namespace dictmanager {

namespace {
QString failure(const QString &path, const QString &reason)
{
    return QStringLiteral("Couldn't write \"%1\": %2").arg(path, reason);
}
} // namespace

QString SafeFile::write(const QString &path, const QByteArray &content)
{
    QString reason;
    if (!platform::writeWholeFile(path, content, &reason))
        return failure(path, reason);
    return {};
}

QString SafeFile::appendLine(const QString &path, const QByteArray &line)
{
    QByteArray content;
    if (QFile::exists(path)) {
        QString error;
        std::optional<QByteArray> existing = read(path, &error);
        if (!existing)
            return error;
        content = *existing;
    }
    if (!content.isEmpty() && !content.endsWith('\n'))
        content += "\r\n";
    return write(path, content + line);
}

QString SafeFile::copy(const QString &from, const QString &to)
{
    QString error;
    const std::optional<QByteArray> content = read(from, &error);
    return content ? write(to, *content) : error;
}

std::optional<QByteArray> SafeFile::read(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Couldn't read \"%1\": %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return file.readAll();
}

} // namespace dictmanager
