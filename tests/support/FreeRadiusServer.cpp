#include "support/FreeRadiusServer.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

#include <filesystem>
#include <system_error>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

namespace {

namespace fs = std::filesystem;

// Three distinct free UDP ports on 127.0.0.1, held open together while chosen.
bool pickPorts(quint16 out[3])
{
    int fds[3] = {-1, -1, -1};
    bool ok = true;
    for (int i = 0; i < 3 && ok; ++i) {
        fds[i] = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        ok = fds[i] >= 0 && ::bind(fds[i], reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0 &&
             ::getsockname(fds[i], reinterpret_cast<sockaddr *>(&address), &length) == 0;
        out[i] = ntohs(address.sin_port);
    }
    for (int fd : fds)
        if (fd >= 0) ::close(fd);
    return ok;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

QString replaceLine(QString text, const QString &pattern, const QString &replacement)
{
    return text.replace(QRegularExpression(pattern, QRegularExpression::MultilineOption), replacement);
}

} // namespace

bool FreeRadiusServer::isInstalled()
{
    return ::access(kProgram, X_OK) == 0 && fs::is_directory(kInstalledConfig);
}

FreeRadiusServer::FreeRadiusServer() = default;

FreeRadiusServer::~FreeRadiusServer()
{
    stop();
}

void FreeRadiusServer::addStandardUsers()
{
    addUser({QStringLiteral("bob"), QStringLiteral("Cleartext-Password := \"hello\""),
             QStringLiteral("Reply-Message = \"Hello, bob\"")});
    QStringList sim;
    const auto triplets = standardTriplets();
    for (std::size_t i = 0; i < triplets.size(); ++i) {
        const QString n = QString::number(i + 1);
        sim << QStringLiteral("EAP-Sim-Rand%1 := %2").arg(n, triplets[i].rand)
            << QStringLiteral("EAP-Sim-SRES%1 := %2").arg(n, triplets[i].sres)
            << QStringLiteral("EAP-Sim-KC%1 := %2").arg(n, triplets[i].kc);
    }
    addUser({QStringLiteral("simuser"), sim.join(QStringLiteral(", "))});
}

std::vector<RadiusSimTriplet> FreeRadiusServer::standardTriplets()
{
    return {
        {QStringLiteral("0x101112131415161718191a1b1c1d1e1f"), QStringLiteral("0xd1d2d3d4"),
         QStringLiteral("0xa0a2a2a3a4a5a6a7")},
        {QStringLiteral("0x202122232425262728292a2b2c2d2e2f"), QStringLiteral("0xe1e2e3e4"),
         QStringLiteral("0xb0b2b2b3b4b5b6b7")},
        {QStringLiteral("0x303132333435363738393a3b3c3d3e3f"), QStringLiteral("0xf1f2f3f4"),
         QStringLiteral("0xc0c2c2c3c4c5c6c7")},
    };
}

QString FreeRadiusServer::configDir() const
{
    return m_dir.filePath(QStringLiteral("raddb"));
}

QString FreeRadiusServer::output() const
{
    return QString::fromUtf8(readAll(m_dir.filePath(QStringLiteral("server.log"))));
}

bool FreeRadiusServer::isRunning() const
{
    return m_process && m_process->state() == QProcess::Running;
}

bool FreeRadiusServer::writeConfig(QString *error)
{
    const QString raddb = configDir();
    const fs::path target = raddb.toStdString();
    std::error_code ec;
    fs::remove_all(target, ec);
    fs::copy(kInstalledConfig, target, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
    if (ec) {
        if (error) *error = QStringLiteral("cannot copy %1: %2").arg(QLatin1String(kInstalledConfig),
                                                                      QString::fromStdString(ec.message()));
        return false;
    }
    const QString logDir = m_dir.filePath(QStringLiteral("log"));
    const QString runDir = m_dir.filePath(QStringLiteral("run"));
    fs::create_directories((logDir + QStringLiteral("/radacct")).toStdString(), ec);
    fs::create_directories(runDir.toStdString(), ec);

    QString main = QString::fromUtf8(readAll(raddb + QStringLiteral("/radiusd.conf")));
    main = replaceLine(main, QStringLiteral("^raddbdir = .*$"), QStringLiteral("raddbdir = ") + raddb);
    main = replaceLine(main, QStringLiteral("^logdir = .*$"), QStringLiteral("logdir = ") + logDir);
    main = replaceLine(main, QStringLiteral("^run_dir = .*$"), QStringLiteral("run_dir = ") + runDir);
    main = replaceLine(main, QStringLiteral("^(\\s*)(user|group) = "), QStringLiteral("\\1#\\2 = "));
    main = replaceLine(main, QStringLiteral("^(\\s*)reject_delay = .*$"), QStringLiteral("\\1reject_delay = 0"));
    main = replaceLine(main, QStringLiteral("^(\\s*)status_server = .*$"), QStringLiteral("\\1status_server = yes"));
    main = replaceLine(main, QStringLiteral("^proxy_requests\\s*=.*$"), QStringLiteral("proxy_requests = no"));

    for (const auto &entry : fs::directory_iterator(target / "sites-enabled")) fs::remove(entry.path(), ec);
    fs::remove(target / "mods-enabled" / "eap", ec);

    const QString site = QStringLiteral(R"(server default {
	listen {
		type = auth
		ipaddr = 127.0.0.1
		port = %1
	}
	listen {
		type = acct
		ipaddr = 127.0.0.1
		port = %2
	}
	authorize {
		preprocess
		chap
		files
		eap {
			ok = return
		}
		pap
	}
	authenticate {
		Auth-Type PAP {
			pap
		}
		Auth-Type CHAP {
			chap
		}
		eap
	}
	preacct {
		preprocess
	}
	accounting {
		ok
	}
	post-auth {
		ok
		Post-Auth-Type REJECT {
			eap
		}
	}
}

server coa {
	listen {
		type = coa
		ipaddr = 127.0.0.1
		port = %3
	}
	recv-coa {
		ok
	}
	send-coa {
		ok
	}
}
)")
                             .arg(m_authPort)
                             .arg(m_acctPort)
                             .arg(m_coaPort);
    const QString eap = QStringLiteral(R"(eap {
	default_eap_type = md5
	timer_expire = 60
	ignore_unknown_eap_types = no
	cisco_accounting_username_bug = no
	max_sessions = ${max_requests}
	md5 {
	}
	sim {
	}
}
)");
    const QString clients = QStringLiteral("client localhost {\n\tipaddr = 127.0.0.1\n\tsecret = %1\n}\n").arg(m_secret);
    QString users;
    for (const RadiusUser &user : m_users) {
        users += user.name + QLatin1Char('\t') + user.checkItems + QLatin1Char('\n');
        if (!user.replyItems.isEmpty()) users += QLatin1Char('\t') + user.replyItems + QLatin1Char('\n');
        users += QLatin1Char('\n');
    }

    const bool written = writeAll(raddb + QStringLiteral("/radiusd.conf"), main.toUtf8()) &&
                         writeAll(raddb + QStringLiteral("/sites-enabled/pellion"), site.toUtf8()) &&
                         writeAll(raddb + QStringLiteral("/mods-enabled/eap"), eap.toUtf8()) &&
                         writeAll(raddb + QStringLiteral("/clients.conf"), clients.toUtf8()) &&
                         writeAll(raddb + QStringLiteral("/mods-config/files/authorize"), users.toUtf8());
    if (!written && error) *error = QStringLiteral("cannot write the configuration in ") + raddb;
    return written;
}

bool FreeRadiusServer::start(QString *error, int timeoutMs)
{
    stop();
    if (!m_dir.isValid()) {
        if (error) *error = QStringLiteral("no temporary directory");
        return false;
    }
    QString reason;
    for (int attempt = 0; attempt < 3; ++attempt) {
        bool portTaken = false;
        if (startOnce(timeoutMs, &reason, &portTaken)) return true;
        if (!portTaken) break;
    }
    if (error) *error = reason;
    return false;
}

bool FreeRadiusServer::startOnce(int timeoutMs, QString *error, bool *portTaken)
{
    quint16 ports[3];
    if (!pickPorts(ports)) {
        *error = QStringLiteral("no free UDP ports on 127.0.0.1");
        return false;
    }
    m_authPort = ports[0];
    m_acctPort = ports[1];
    m_coaPort = ports[2];
    if (!writeConfig(error)) return false;

    const QString logPath = m_dir.filePath(QStringLiteral("server.log"));
    QFile::remove(logPath);
    m_process = std::make_unique<QProcess>();
    // A file, not a pipe: nobody has to keep reading while tests wait on a client.
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->setStandardOutputFile(logPath);
    m_process->setStandardInputFile(QProcess::nullDevice());
    // A test process that aborts (a sanitizer report, a crash) takes its server with it.
    m_process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process->start(QLatin1String(kProgram),
                     {QStringLiteral("-f"), QStringLiteral("-l"), QStringLiteral("stdout"), QStringLiteral("-d"),
                      configDir()});
    if (!m_process->waitForStarted(5000)) {
        *error = QStringLiteral("cannot start %1: %2").arg(QLatin1String(kProgram), m_process->errorString());
        m_process.reset();
        return false;
    }
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const QString log = output();
        if (log.contains(QLatin1String("Ready to process requests"))) return true;
        if (m_process->waitForFinished(20)) {
            *portTaken = log.contains(QLatin1String("Address already in use"));
            *error = QStringLiteral("the server ended with status %1:\n%2").arg(m_process->exitCode()).arg(log);
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
    if (!m_process) return;
    if (m_process->state() != QProcess::NotRunning) {
        const qint64 pid = m_process->processId();
        if (pid > 0) ::kill(static_cast<pid_t>(pid), SIGTERM);
        if (!m_process->waitForFinished(5000)) {
            m_process->kill();
            m_process->waitForFinished(2000);
        }
    }
    m_process.reset();
}

} // namespace testsupport
