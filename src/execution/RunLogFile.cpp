#include "execution/RunLogFile.h"

#include "execution/ClientText.h"
#include "execution/Settings.h"
#include "platform/Clock.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "taskstore/DateTimeText.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace execution {

QString RunLogFile::path(const QString &logFileName)
{
    return platform::ProgramDirectory::filePath(QStringLiteral("Log/") + logFileName);
}

bool RunLogFile::appendBlock(const QString &logFileName, const QStringList &lines)
{
    // The directory is not ours to create; without it the block is lost silently.
    QFile file(path(logFileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    // In pieces of about a megabyte: a run of a million lines never needs its whole text a
    // second time in memory. The client's bytes go back out as it wrote them.
    constexpr qsizetype kPieceBytes = 1 << 20;
    QByteArray piece;
    piece.reserve(kPieceBytes + 4096);
    for (const QString &line : lines) {
        appendClientText(piece, line);
        piece += "\r\n";
        if (piece.size() >= kPieceBytes) {
            if (file.write(piece) != piece.size())
                return false;
            piece.clear();
        }
    }
    piece += "\r\n";
    return file.write(piece) == piece.size();
}

RunLogFile::LimitResult RunLogFile::applySizeLimit(const QString &logFileName, int maxKilobytes, const QDateTime &now)
{
    if (maxKilobytes <= 0)
        return LimitResult::Kept;
    const QFileInfo info(path(logFileName));
    const qint64 kilobytes = info.exists() ? info.size() / 1024 : 0;
    if (maxKilobytes >= kilobytes)
        return LimitResult::Kept;
    QFile file(info.filePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return LimitResult::Failed;
    const QByteArray banner = "************************Pellion Log************************ "
        + taskstore::DateTimeText::dateTimeText(now).toUtf8() + "\r\n";
    return file.write(banner) == banner.size() && file.flush() ? LimitResult::Replaced : LimitResult::Failed;
}

RunLogFile::LimitResult RunLogFile::applySizeLimitAtStartup()
{
    const Settings settings = Settings::read();
    const LimitResult result = applySizeLimit(settings.LogFileName, settings.MaxLogFileSize, platform::Clock::now());
    if (result == LimitResult::Failed)
        platform::MessageService::instance().showError(
            QStringLiteral("The log file \"%1\" could not be emptied; it keeps growing.")
                .arg(path(settings.LogFileName)));
    return result;
}

} // namespace execution
