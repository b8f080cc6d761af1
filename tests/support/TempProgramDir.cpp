#include "support/TempProgramDir.h"

#include "platform/ProgramDirectory.h"
#include "platform/SettingsKey.h"
#include "platform/SingleInstance.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace testsupport {

namespace {
void copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(source, target);
    }
}
} // namespace

TempProgramDir::TempProgramDir() : m_previousCurrent(QDir::currentPath())
{
    const QString root = m_dir.path();
    for (const char *sub : {"script", "Log", "dictionary/userdefine", "Language", "Help", ".settings", ".run"})
        QDir(root).mkpath(QString::fromLatin1(sub));
    copyTree(sourceDataDir(), root);
    platform::SettingsKey::setRoot(settingsRoot());
    platform::SingleInstance::setDirectory(root + QLatin1String("/.run"));
    platform::ProgramDirectory::enter(root);
}

TempProgramDir::~TempProgramDir()
{
    platform::ProgramDirectory::enter(m_previousCurrent);
    platform::SettingsKey::setRoot({});
    platform::SingleInstance::setDirectory({});
}

QString TempProgramDir::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TempProgramDir::filePath(const QString &relative) const
{
    return path() + relative;
}

QString TempProgramDir::settingsRoot() const
{
    return path() + QLatin1String(".settings");
}

bool TempProgramDir::writeFile(const QString &relative, const QByteArray &content) const
{
    const QString target = filePath(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile file(target);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray TempProgramDir::readFile(const QString &relative) const
{
    QFile file(filePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString TempProgramDir::sourceDataDir()
{
    return QStringLiteral(PELLION_SOURCE_DIR "/data");
}

QString TempProgramDir::binaryDir()
{
    return QStringLiteral(PELLION_BINARY_DIR);
}

} // namespace testsupport
