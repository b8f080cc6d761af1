#include "platform/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutex>

namespace platform {

namespace {
QMutex s_mutex;
QString s_path;
} // namespace

void ProgramDirectory::enterExecutableDirectory()
{
    enter(QCoreApplication::applicationDirPath());
}

void ProgramDirectory::enter(const QString &directory)
{
    QString absolute = QDir(directory).absolutePath();
    if (!absolute.endsWith(QLatin1Char('/')))
        absolute += QLatin1Char('/');
    QDir::setCurrent(absolute);
    QMutexLocker lock(&s_mutex);
    s_path = absolute;
}

QString ProgramDirectory::path()
{
    QMutexLocker lock(&s_mutex);
    if (s_path.isEmpty()) {
        QString current = QDir::currentPath();
        return current.endsWith(QLatin1Char('/')) ? current : current + QLatin1Char('/');
    }
    return s_path;
}

QString ProgramDirectory::filePath(const QString &relativePath)
{
    return path() + relativePath;
}

} // namespace platform
