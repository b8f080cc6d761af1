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
    for (qsizetype at = 0; at < commandLine.size(); ++at) {
        const QChar c = commandLine[at];
        const QChar next = at + 1 < commandLine.size() ? commandLine[at + 1] : QChar();
        if (quoted && c == QLatin1Char('\\') && (next == QLatin1Char('"') || next == QLatin1Char('\\'))) {
            word += next;
            ++at;
        } else if (c == QLatin1Char('"')) {
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

QString quoteCommandWord(const QString &word)
{
    const bool plain = !word.isEmpty() && !word.contains(QLatin1Char(' ')) && !word.contains(QLatin1Char('\t'))
        && !word.contains(QLatin1Char('"'));
    if (plain)
        return word;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : word) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
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
        QString candidate = QDir(directory).filePath(word);
        if (isExecutableFile(candidate))
            return candidate;
    }
    return {};
}

} // namespace platform
