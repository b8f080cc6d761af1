#include "platform/ChildProcess.h"

#include "platform/CommandLine.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {
QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// posix_spawn's file actions and attributes, freed on every path.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    SpawnSetup()
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
};
} // namespace

ChildProcess::StartResult ChildProcess::start(const QString &commandLine, const QString &workingDirectory,
                                              int inherited)
{
    StartResult result;
    const QStringList words = splitCommandLine(commandLine);
    const QString program = resolveProgram(words.value(0));
    if (program.isEmpty()) {
        result.failure = Failure::Start;
        result.errorText = errorText(ENOENT);
        return result;
    }

    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        result.failure = Failure::Pipe;
        result.errorText = errorText(errno);
        return result;
    }

    SpawnSetup setup;
    posix_spawn_file_actions_adddup2(&setup.actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&setup.actions, fds[1], STDERR_FILENO);
    posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    const QByteArray directory = QFile::encodeName(workingDirectory);
    if (!directory.isEmpty())
        posix_spawn_file_actions_addchdir_np(&setup.actions, directory.constData());
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSID);
    // Moved above the numbers the child's own descriptors take before they are set up.
    const int lifted =
        inherited >= 0 && inherited <= kInheritedFd ? ::fcntl(inherited, F_DUPFD_CLOEXEC, kInheritedFd + 1) : inherited;
    if (inherited >= 0 && lifted < 0) {
        result.failure = Failure::Pipe;
        result.errorText = errorText(errno);
        ::close(fds[0]);
        ::close(fds[1]);
        return result;
    }
    if (lifted >= 0)
        posix_spawn_file_actions_adddup2(&setup.actions, lifted, kInheritedFd);

    std::vector<QByteArray> encoded;
    encoded.reserve(words.size());
    for (const QString &word : words)
        encoded.push_back(word.toLocal8Bit());
    std::vector<char *> argv;
    argv.reserve(encoded.size() + 1);
    for (QByteArray &word : encoded)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    const QByteArray path = QFile::encodeName(program);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, path.constData(), &setup.actions, &setup.attributes, argv.data(), environ);
    // Our copy of the write end goes at once, so the client's exit shows as end of output.
    ::close(fds[1]);
    if (lifted != inherited)
        ::close(lifted);
    if (error != 0) {
        ::close(fds[0]);
        result.failure = Failure::Start;
        result.errorText = errorText(error);
        return result;
    }
    result.process.reset(new ChildProcess(pid, fds[0]));
    return result;
}

ChildProcess::ChildProcess(pid_t pid, int readFd) : m_pid(pid), m_readFd(readFd)
{
}

ChildProcess::~ChildProcess()
{
    ::close(m_readFd);
    // The client may run on after a stop; collect its status whenever it ends.
    std::thread([pid = m_pid] { ::waitpid(pid, nullptr, 0); }).detach();
}

bool ChildProcess::readByte(char &byte)
{
    if (m_position == m_available) {
        ssize_t count;
        do {
            count = ::read(m_readFd, m_buffer, sizeof m_buffer);
        } while (count < 0 && errno == EINTR);
        if (count <= 0)
            return false;
        m_available = count;
        m_position = 0;
    }
    byte = m_buffer[m_position++];
    return true;
}

} // namespace platform
