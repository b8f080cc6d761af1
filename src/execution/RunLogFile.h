#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace execution {

// The log file "Log/<LogFileName>" beside the program.
class RunLogFile {
public:
    static QString path(const QString &logFileName);

    // Appends one run's block: its lines with CR LF, then an empty line, in one call on the
    // user-interface thread so that blocks never interleave. Client lines go out as the
    // client's bytes (encodeClientText). A file that cannot be opened loses the block
    // silently.
    static bool appendBlock(const QString &logFileName, const QStringList &lines);

    enum class LimitResult { Kept, Replaced, Failed };
    // With a limit above 0 (kilobytes), a file larger than the limit in whole kilobytes is
    // replaced by the "Pellion Log" banner with the time `now`.
    static LimitResult applySizeLimit(const QString &logFileName, int maxKilobytes, const QDateTime &now);
    // The start-up check with the current settings; a file that cannot be rewritten is
    // reported to the user and start-up goes on.
    static LimitResult applySizeLimitAtStartup();
};

} // namespace execution
