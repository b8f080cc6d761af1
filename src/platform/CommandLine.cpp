#include "platform/CommandLine.h"

#include "platform/ProgramDirectory.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

QStringList splitCommandLine(const QString &commandLine)
{
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (const QChar c : commandLine) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return words;
}

namespace {
bool isExecutableFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}
} // namespace

QString resolveProgram(const QString &word)
{
    if (word.isEmpty())
        return {};
    if (word.contains(QLatin1Char('/')))
        return isExecutableFile(word) ? word : QString();
    QStringList directories{ProgramDirectory::path()};
    if (ProgramDirectory::executableDirectory() != directories.first())
        directories += ProgramDirectory::executableDirectory();
    directories += QString::fromLocal8Bit(qgetenv("PATH")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &directory : directories) {
        const QString candidate = QDir(directory).filePath(word);
        if (isExecutableFile(candidate))
            return candidate;
    }
    return {};
}

} // namespace platform
