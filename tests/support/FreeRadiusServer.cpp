#include "support/FreeRadiusServer.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <array>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

namespace {

// Distinct free UDP ports on 127.0.0.1, held open together while chosen.
bool pickPorts(std::vector<quint16> &out)
{
    std::array<int, 16> fds{};
    fds.fill(-1);
    bool ok = out.size() <= fds.size();
    for (std::size_t i = 0; i < out.size() && ok; ++i) {
        fds[i] = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        ok = fds[i] >= 0 && ::bind(fds[i], reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0
            && ::getsockname(fds[i], reinterpret_cast<sockaddr *>(&address), &length) == 0;
        out[i] = ntohs(address.sin_port);
    }
    for (int fd : fds)
        if (fd >= 0)
            ::close(fd);
    return ok;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

bool FreeRadiusServer::isInstalled()
{
    return demoserver::FreeRadiusConfig::isInstalled();
}

FreeRadiusServer::FreeRadiusServer() = default;

FreeRadiusServer::~FreeRadiusServer()
{
    stop();
}

std::unique_ptr<FreeRadiusServer> FreeRadiusServer::started(const QString &secret,
                                                            const std::vector<RadiusUser> &extraUsers, QString *error)
{
    if (!isInstalled())
        return nullptr;
    auto server = std::make_unique<FreeRadiusServer>();
    server->setSecret(secret);
    server->addStandardUsers();
    for (const RadiusUser &user : extraUsers)
        server->addUser(user);
    if (!server->start(error))
        return nullptr;
    return server;
}

std::size_t FreeRadiusServer::addTlsListener(const RadiusTlsListener &listener)
{
    m_config.tlsListeners.push_back(listener);
    return m_config.tlsListeners.size() - 1;
}

void FreeRadiusServer::addStandardUsers()
{
    m_config.addStandardUsers();
}

QString FreeRadiusServer::configDir() const
{
    return demoserver::FreeRadiusConfig::raddbDir(m_dir.path());
}

QString FreeRadiusServer::output() const
{
    return QString::fromUtf8(readAll(m_dir.filePath(QStringLiteral("server.log"))));
}

bool FreeRadiusServer::isRunning() const
{
    return m_process && m_process->state() == QProcess::Running;
}

bool FreeRadiusServer::start(QString *error, int timeoutMs)
{
    stop();
    if (!m_dir.isValid()) {
        if (error)
            *error = QStringLiteral("no temporary directory");
        return false;
    }
    QString reason;
    for (int attempt = 0; attempt < 5; ++attempt) {
        bool portTaken = false;
        if (startOnce(timeoutMs, &reason, &portTaken))
            return true;
        if (!portTaken)
            break;
    }
    if (error)
        *error = reason;
    return false;
}

bool FreeRadiusServer::startOnce(int timeoutMs, QString *error, bool *portTaken)
{
    std::vector<quint16> ports(3 + (m_wantTcp ? 1 : 0) + m_config.tlsListeners.size());
    if (!pickPorts(ports)) {
        *error = QStringLiteral("no free UDP ports on 127.0.0.1");
        return false;
    }
    // A port free for UDP is most often free for TCP too; a clash starts again with others.
    auto next = ports.begin();
    m_config.authPort = *next++;
    m_config.acctPort = *next++;
    m_config.coaPort = *next++;
    m_config.tcpPort = m_wantTcp ? *next++ : 0;
    for (RadiusTlsListener &listener : m_config.tlsListeners)
        listener.port = *next++;
    if (!m_config.write(m_dir.path(), error))
        return false;

    const QString logPath = m_dir.filePath(QStringLiteral("server.log"));
    QFile::remove(logPath);
    m_process = std::make_unique<QProcess>();
    // A file, not a pipe: nobody has to keep reading while tests wait on a client.
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->setStandardOutputFile(logPath);
    m_process->setStandardInputFile(QProcess::nullDevice());
    // A test process that aborts (a sanitizer report, a crash) takes its server with it.
    m_process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process->start(
        QLatin1String(kProgram),
        {QStringLiteral("-f"), QStringLiteral("-l"), QStringLiteral("stdout"), QStringLiteral("-d"), configDir()});
    if (!m_process->waitForStarted(5000)) {
        *error = QStringLiteral("cannot start %1: %2").arg(QLatin1String(kProgram), m_process->errorString());
        m_process.reset();
        return false;
    }
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const QString log = output();
        if (log.contains(QLatin1String("Ready to process requests")))
            return true;
        if (m_process->waitForFinished(20)) {
            // Read again: the lines saying why it ended came after the ones above.
            const QString last = output();
            *portTaken = last.contains(QLatin1String("Address already in use"));
            *error = QStringLiteral("the server ended with status %1:\n%2").arg(m_process->exitCode()).arg(last);
            m_process.reset();
            return false;
        }
    }
    *error = QStringLiteral("the server was not ready within %1 ms:\n%2").arg(timeoutMs).arg(output());
    stop();
    return false;
}

void FreeRadiusServer::stop()
{
    if (!m_process)
        return;
    if (m_process->state() != QProcess::NotRunning) {
        const qint64 pid = m_process->processId();
        if (pid > 0)
            ::kill(static_cast<pid_t>(pid), SIGTERM);
        if (!m_process->waitForFinished(5000)) {
            m_process->kill();
            m_process->waitForFinished(2000);
        }
    }
    m_process.reset();
}

} // namespace testsupport
