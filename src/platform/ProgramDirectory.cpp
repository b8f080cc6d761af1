#include "platform/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QStandardPaths>

#include <unistd.h>

namespace platform {

namespace {
QMutex s_mutex;
QString s_path;
QString s_executables;

QString withSlash(const QString &directory)
{
    QString absolute = QDir(directory).absolutePath();
    return absolute.endsWith(QLatin1Char('/')) ? absolute : absolute + QLatin1Char('/');
}

enum class Copy { WhenMissing, WhenDifferent };

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Copies one file over whatever is at `target`, leaving the copy writable for its user.
void copyFile(const QString &source, const QString &target)
{
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::remove(target);
    QFile::copy(source, target);
    QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
}

// Copies the files below `from` to the same places below `to`.
void copyTree(const QString &from, const QString &to, Copy when)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (QFileInfo::exists(target) && (when == Copy::WhenMissing || contents(target) == contents(source)))
            continue;
        copyFile(source, target);
    }
}
} // namespace

void ProgramDirectory::enterExecutableDirectory()
{
    const QString installed = withSlash(QCoreApplication::applicationDirPath());
    const bool writable = ::access(QFile::encodeName(installed).constData(), W_OK) == 0;
    enter(prepare(installed, perUserDirectory(), writable), installed);
}

void ProgramDirectory::enter(const QString &directory, const QString &executables)
{
    const QString absolute = withSlash(directory);
    QDir::setCurrent(absolute);
    QMutexLocker lock(&s_mutex);
    s_path = absolute;
    s_executables = executables.isEmpty() ? absolute : withSlash(executables);
}

QString ProgramDirectory::prepare(const QString &installed, const QString &perUser, bool installedWritable)
{
    if (installedWritable)
        return withSlash(installed);
    const QString from = withSlash(installed);
    QString to = withSlash(perUser);
    for (const char *folder : {"script", "Log", "dictionary/userdefine"})
        QDir().mkpath(to + QLatin1String(folder));
    // The program's own files follow the installed ones; the user vendor index and the
    // vendor files are Glossor's once copied.
    copyTree(from + QLatin1String("Language"), to + QLatin1String("Language"), Copy::WhenDifferent);
    copyTree(from + QLatin1String("Help"), to + QLatin1String("Help"), Copy::WhenDifferent);
    const QString mainDictionary = QStringLiteral("dictionary/dictionary");
    if (contents(to + mainDictionary) != contents(from + mainDictionary))
        copyFile(from + mainDictionary, to + mainDictionary);
    copyTree(from + QLatin1String("dictionary/userdefine"), to + QLatin1String("dictionary/userdefine"),
             Copy::WhenMissing);
    return to;
}

QString ProgramDirectory::perUserDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1String("/Pellion");
}

QString ProgramDirectory::path()
{
    QMutexLocker lock(&s_mutex);
    if (s_path.isEmpty())
        return withSlash(QDir::currentPath());
    return s_path;
}

QString ProgramDirectory::filePath(const QString &relativePath)
{
    return path() + relativePath;
}

QString ProgramDirectory::executableDirectory()
{
    {
        QMutexLocker lock(&s_mutex);
        if (!s_executables.isEmpty())
            return s_executables;
    }
    return path();
}

} // namespace platform
