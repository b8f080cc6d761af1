#include "execution/ClientOrigin.h"

#include "clients/ClientOptions.h"

#include "platform/ChildProcess.h"
#include "platform/CommandLine.h"
#include "platform/ProgramDirectory.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

#include <chrono>
#include <poll.h>

namespace execution {

namespace {

constexpr std::chrono::milliseconds kAnswerTime{3000};
constexpr int kAnswerLimit = 256;

struct Answer {
    qint64 size = -1;
    QDateTime changed;
    bool own = false;
};

// The first line the program writes for -v, or what came before it gave up.
QByteArray versionLine(const QString &program)
{
    auto started = platform::ChildProcess::start(platform::quoteCommandWord(program) + QLatin1String(" -v"),
                                                 platform::ProgramDirectory::path());
    if (!started.process)
        return {};
    platform::ChildProcess &child = *started.process;
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTime;
    QByteArray line;
    char byte = 0;
    while (line.size() < kAnswerLimit) {
        if (!child.hasBufferedBytes()) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd fd{child.readFd(), POLLIN, 0};
            if (left.count() <= 0 || ::poll(&fd, 1, static_cast<int>(left.count())) <= 0)
                break;
        }
        if (!child.readByte(byte) || byte == '\n' || byte == '\r')
            break;
        line += byte;
    }
    return line;
}

} // namespace

bool isOwnClient(const QString &programWord)
{
    const QString program = platform::resolveProgram(programWord);
    if (program.isEmpty())
        return false;
    const QFileInfo file(program);
    static QMutex mutex;
    static QHash<QString, Answer> answers;
    {
        const QMutexLocker lock(&mutex);
        const auto known = answers.constFind(program);
        if (known != answers.constEnd() && known->size == file.size() && known->changed == file.lastModified())
            return known->own;
    }
    // Ours answers "<name>: Pellion <version>".
    const QByteArray expected = file.fileName().toLocal8Bit() + ": " + clients::kOwnClientMark + ' ';
    const bool own = versionLine(program).startsWith(expected);
    const QMutexLocker lock(&mutex);
    answers.insert(program, Answer{file.size(), file.lastModified(), own});
    return own;
}

} // namespace execution
