#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <sys/types.h>

namespace platform {

// A child program whose standard output and standard error feed one pipe that we read.
// It gets /dev/null as standard input and a session of its own. Its output is read byte
// by byte; the program never waits for it to end and never ends it (a reaper collects
// its exit status in the background so it leaves no zombie).
class ChildProcess {
public:
    enum class Failure { None, Pipe, Start };
    struct StartResult {
        std::unique_ptr<ChildProcess> process;
        Failure failure = Failure::None;
        QString errorText; // strerror's text for Start and Pipe failures
    };

    // The number under which the child inherits the descriptor passed to start().
    static constexpr int kInheritedFd = 3;

    // Starts the command line's first word (resolved by resolveProgram) with the given
    // words, in `workingDirectory` (empty: the current directory). The child also inherits
    // `inherited` (when not -1) as kInheritedFd, and no other descriptor of ours.
    static StartResult start(const QString &commandLine, const QString &workingDirectory = {}, int inherited = -1);

    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    // Next byte of the output; false once every writer has closed the pipe.
    bool readByte(char &byte);
    pid_t pid() const { return m_pid; }
    // For readers that batch lines or wait with a time-out: whether readByte can answer
    // without a read, and the pipe to poll() before it must.
    bool hasBufferedBytes() const { return m_position < m_available; }
    int readFd() const { return m_readFd; }

private:
    ChildProcess(pid_t pid, int readFd);

    pid_t m_pid;
    int m_readFd;
    char m_buffer[4096];
    ssize_t m_available = 0;
    ssize_t m_position = 0;
};

} // namespace platform
