#include "execution/RunClient.h"

#include "execution/ClientText.h"
#include "execution/RunFlags.h"
#include "platform/ChildProcess.h"
#include "platform/MessageService.h"
#include "platform/ProgramDirectory.h"
#include "platform/UiThread.h"

#include <QElapsedTimer>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace execution {

namespace {
constexpr int kLineBufferSize = 4096;
// A batch goes to the window when the client has been quiet this long, or is this big.
constexpr int kBatchWindowMs = 10;
constexpr int kMaxBatchLines = 2000;
constexpr int kFillPauseMs = 2;
constexpr int kPipeSize = 1 << 20;
// How often a silent client's reader looks at the flags when it cannot be woken.
constexpr int kSilentSliceMs = 100;

enum class Wait { Ready, Quiet };

// Reads one client's output into lines and hands them over in batches.
class ClientReader {
public:
    ClientReader(platform::ChildProcess &process, const LineSink &sink, RunFlags &flags)
        : m_process(process), m_sink(sink), m_flags(flags)
    {
    }

    void run()
    {
        for (;;) {
            if (!m_process.hasBufferedBytes() && !waitForOutput())
                break;
            char byte;
            if (!m_process.readByte(byte)) {
                if (m_count > 0)
                    deliver(false);
                break;
            }
            m_buffer[m_count++] = byte;
            const bool lineEnd = byte == '\n';
            if (!lineEnd && m_count < kLineBufferSize && !m_flags.stopRequested())
                continue;
            deliver(lineEnd);
            if (m_batch.size() >= kMaxBatchLines && !flush())
                return;
            if (m_flags.stopRequested())
                break;
        }
        flush();
    }

private:
    // Before a read that may block: sends a pending batch once the client has paused, and
    // waits for output or a change of the flags, so that suspend and shut-down are noticed
    // while the client is silent. False when the reading is abandoned or a hand-over refused.
    bool waitForOutput()
    {
        // With a batch under way, let a fast client fill the pipe rather than waking for
        // every line it writes; a slow client's lines still show within the batch window.
        while (!m_batch.isEmpty()) {
            if (poll(0) == Wait::Ready)
                return true;
            const int left = kBatchWindowMs - int(m_batchAge.elapsed());
            if (left <= 0)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(std::min(left, kFillPauseMs)));
        }
        if (!flush())
            return false;
        // Without a wake-up descriptor the flags are looked at in slices.
        const int slice = m_flags.wakeFd() >= 0 ? -1 : kSilentSliceMs;
        for (;;) {
            m_flags.drainWake();
            m_flags.checkpoint();
            if (m_flags.abandoned())
                return false;
            if (poll(slice) == Wait::Ready)
                return true;
        }
    }

    Wait poll(int milliseconds)
    {
        pollfd descriptors[2] = {{m_process.readFd(), POLLIN, 0}, {m_flags.wakeFd(), POLLIN, 0}};
        const int result = ::poll(descriptors, 2, milliseconds);
        if (result < 0)
            return errno == EINTR ? Wait::Quiet : Wait::Ready; // the read reports the error
        // Data or end of output; a wake-up alone sends the caller back to the flags.
        return descriptors[0].revents != 0 ? Wait::Ready : Wait::Quiet;
    }

    void deliver(bool lineEnd)
    {
        qsizetype length = m_count;
        if (lineEnd) {
            --length;
            // Drop the client's CR; a bare LF keeps the byte before it.
            if (length > 0 && m_buffer[length - 1] == '\r')
                --length;
        }
        const qsizetype nul = QByteArrayView(m_buffer, length).indexOf('\0');
        if (nul >= 0)
            length = nul;
        const QString text = decodeClientBytes(QByteArrayView(m_buffer, length));
        if (m_batch.isEmpty())
            m_batchAge.start();
        m_batch.append({text, ClassifyLine(text)});
        m_count = 0;
    }

    // False when the hand-over was refused (the program is closing): the reading ends.
    bool flush()
    {
        if (m_batch.isEmpty())
            return true;
        m_flags.checkpoint();
        const bool handed = platform::synchronize([this] { m_sink(m_batch); });
        m_batch.clear();
        return handed;
    }

    platform::ChildProcess &m_process;
    const LineSink &m_sink;
    RunFlags &m_flags;
    char m_buffer[kLineBufferSize];
    qsizetype m_count = 0;
    QList<ClientLine> m_batch;
    QElapsedTimer m_batchAge;
};
// The read end of a pipe that holds the secret and nothing more: written and closed before
// the client starts, so neither side waits for the other, and never a file on disk.
class SecretPipe {
public:
    explicit SecretPipe(const QByteArray &secret)
    {
        int fds[2];
        if (secret.isEmpty() || pipe2(fds, O_CLOEXEC) != 0)
            return;
        // A pipe holds far more than a secret line, so the write completes at once.
        const bool written = ::write(fds[1], secret.constData(), size_t(secret.size())) == secret.size();
        ::close(fds[1]);
        if (written)
            m_readFd = fds[0];
        else
            ::close(fds[0]);
    }
    ~SecretPipe()
    {
        if (m_readFd >= 0)
            ::close(m_readFd);
    }
    SecretPipe(const SecretPipe &) = delete;
    SecretPipe &operator=(const SecretPipe &) = delete;
    int readFd() const { return m_readFd; }

private:
    int m_readFd = -1;
};
} // namespace

void RunClient(const QString &commandLine, const LineSink &lineSink, RunFlags &flags, const QByteArray &handedSecret)
{
    using platform::ChildProcess;
    using platform::MessageService;
    auto started = [&] {
        const SecretPipe secret(handedSecret);
        if (!handedSecret.isEmpty() && secret.readFd() < 0)
            return ChildProcess::StartResult{nullptr, ChildProcess::Failure::Pipe, {}};
        return ChildProcess::start(commandLine, platform::ProgramDirectory::path(), secret.readFd());
    }();
    if (started.failure == ChildProcess::Failure::Pipe) {
        MessageService::instance().inform(QStringLiteral("CreatePipe failed."));
        return;
    }
    if (started.failure == ChildProcess::Failure::Start) {
        MessageService::instance().message({started.errorText, QStringLiteral("Error"),
                                            platform::MessageIcon::Information, platform::MessageButtons::Ok});
        MessageService::instance().inform(QStringLiteral("无法建立新进程!"));
        return;
    }
    // A roomier pipe lets a fast client write on while a batch is handed over.
    ::fcntl(started.process->readFd(), F_SETPIPE_SZ, kPipeSize);
    ClientReader reader(*started.process, lineSink, flags);
    reader.run();
}

} // namespace execution
