#include "demoserver/FreeRadiusConfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <filesystem>
#include <system_error>
#include <utility>

namespace demoserver {

namespace {

namespace fs = std::filesystem;

// The modules the configuration loads, each a file in kModuleDir.
const char *const kModules[] = {"rlm_always",       "rlm_pap",     "rlm_chap",     "rlm_files",
                                "rlm_eap",          "rlm_eap_md5", "rlm_eap_sim",  "rlm_mschap",
                                "rlm_eap_mschapv2", "rlm_eap_tls", "rlm_eap_ttls", "rlm_eap_peap"};

// A value in single quotes: the server's configuration reader takes it as it stands
// (no ${...} expansion, a backslash kept) except for \' standing for a quote. It has no
// way to say a backslash before a quote or at the end.
bool quotable(const QString &text)
{
    return !text.endsWith(QLatin1Char('\\')) && !text.contains(QLatin1String("\\'"));
}

QString quoted(QString text)
{
    text.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

// Readable by its owner only: the clients' secret is in it.
bool writeAll(const QString &path, const QString &content)
{
    QFile file(path);
    const QByteArray octets = content.toUtf8();
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) && file.write(octets) == octets.size();
}

// Everything the server reads and writes lies below the directory; no user or group to
// change to, no proxy socket, rejects answered at once.
QString mainText(const QString &raddb, const QString &logDir, const QString &runDir)
{
    return QStringLiteral(R"(# A private FreeRADIUS server for Pellion, written by pellion-demo-config or the tests.
prefix = /usr
exec_prefix = ${prefix}
libdir = %1
raddbdir = %2
confdir = ${raddbdir}
logdir = %3
run_dir = %4
name = freeradius
pidfile = "${run_dir}/${name}.pid"

max_request_time = 30
cleanup_delay = 5
max_requests = 16384
hostname_lookups = no

log {
	destination = files
	file = "${logdir}/radius.log"
	auth = no
}

security {
	allow_core_dumps = no
	max_attributes = 200
	reject_delay = 0
	status_server = yes
}

proxy_requests = no

thread pool {
	start_servers = 5
	max_servers = 32
	min_spare_servers = 3
	max_spare_servers = 10
	max_requests_per_server = 0
	auto_limit_acct = no
}

$INCLUDE clients.conf
modules {
	$INCLUDE modules.conf
}
$INCLUDE sites.conf
)")
        .arg(QLatin1String(FreeRadiusConfig::kModuleDir), quoted(raddb), quoted(logDir), quoted(runDir));
}

// A client without "proto = *" is unknown to a TCP listener.
QString clientsText(const QString &secret, bool requireMessageAuthenticator, bool overTcpToo)
{
    return QStringLiteral(R"(client localhost {
	ipaddr = 127.0.0.1
%3	secret = %1
	require_message_authenticator = %2
}
client localhost_ipv6 {
	ipv6addr = ::1
%3	secret = %1
	require_message_authenticator = %2
}
)")
        .arg(quoted(secret), QLatin1String(requireMessageAuthenticator ? "yes" : "no"),
             overTcpToo ? QStringLiteral("\tproto = *\n") : QString());
}

QString tlsClientsName(std::size_t index)
{
    return QStringLiteral("radsec%1").arg(index);
}

// A TLS listener takes only clients of its own with "proto = tls".
QString tlsClientsText(std::size_t index, const QString &secret)
{
    return QStringLiteral(R"(clients %1 {
	client v4 {
		ipaddr = 127.0.0.1
		proto = tls
		secret = %2
	}
	client v6 {
		ipv6addr = ::1
		proto = tls
		secret = %2
	}
}
)")
        .arg(tlsClientsName(index), quoted(secret));
}

QString allClientsText(const FreeRadiusConfig &config)
{
    QString text = clientsText(config.secret, config.requireMessageAuthenticator, config.tcpPort != 0);
    for (std::size_t i = 0; i < config.tlsListeners.size(); ++i)
        text += tlsClientsText(i, config.tlsSecret);
    return text;
}

QStringList listenAddresses(const FreeRadiusConfig &config)
{
    QStringList addresses{QStringLiteral("ipaddr = 127.0.0.1")};
    if (config.ipv6)
        addresses << QStringLiteral("ipv6addr = ::1");
    return addresses;
}

// The listeners beyond UDP on 127.0.0.1: UDP on ::1, TCP and TLS.
QString moreListenersText(const FreeRadiusConfig &config)
{
    QString text;
    const QStringList addresses = listenAddresses(config);
    if (config.ipv6) {
        for (const auto &[type, port] : {std::pair{"auth", config.authPort}, std::pair{"acct", config.acctPort}})
            text += QStringLiteral("\tlisten {\n\t\ttype = %1\n\t\tipv6addr = ::1\n\t\tport = %2\n\t}\n")
                        .arg(QLatin1String(type))
                        .arg(port);
    }
    for (const QString &address : addresses) {
        if (config.tcpPort != 0)
            text += QStringLiteral("\tlisten {\n\t\ttype = auth+acct\n\t\tproto = tcp\n\t\t%1\n\t\tport = %2\n\t}\n")
                        .arg(address)
                        .arg(config.tcpPort);
        for (std::size_t i = 0; i < config.tlsListeners.size(); ++i) {
            const RadiusTlsListener &tls = config.tlsListeners[i];
            text +=
                QStringLiteral(R"(	listen {
		type = auth+acct
		proto = tcp
		%1
		port = %2
		clients = %3
		limit {
			max_connections = 16
			lifetime = 0
			idle_timeout = 30
		}
		tls {
			private_key_file = %4
			certificate_file = %5
			ca_file = %6
			fragment_size = 8192
			cipher_list = "DEFAULT"
			tls_min_version = "1.2"
			tls_max_version = "%8"
			require_client_cert = %7
			cache {
				enable = no
			}
			verify {
			}
		}
	}
)")
                    .arg(address)
                    .arg(tls.port)
                    .arg(tlsClientsName(i), quoted(tls.privateKeyFile), quoted(tls.certificateFile), quoted(tls.caFile),
                         tls.requireClientCertificate ? QStringLiteral("yes") : QStringLiteral("no"), tls.maxVersion);
        }
    }
    return text;
}

// EAP-TLS, EAP-TTLS and PEAP share one TLS configuration; the tunnels' inner requests go
// to the inner server.
QString eapTlsText(const RadiusEapTls &tls)
{
    if (tls.certificateFile.isEmpty())
        return {};
    return QStringLiteral(R"(	tls-config tls-common {
		private_key_file = %1
		certificate_file = %2
		ca_file = %3
		cipher_list = "DEFAULT"
		tls_min_version = "1.2"
		tls_max_version = "1.2"
		fragment_size = 1024
		cache {
			enable = no
		}
		verify {
		}
	}
	tls {
		tls = tls-common
	}
	ttls {
		tls = tls-common
		default_eap_type = md5
		virtual_server = "inner-tunnel"
	}
	peap {
		tls = tls-common
		default_eap_type = mschapv2
		virtual_server = "inner-tunnel"
	}
)")
        .arg(quoted(tls.privateKeyFile), quoted(tls.certificateFile), quoted(tls.caFile));
}

// The users file, PAP, CHAP, MS-CHAP and EAP with MD5, SIM, MS-CHAPv2 and the TLS methods;
// "ok" for the sections that only have to answer.
QString modulesText(const RadiusEapTls &tls)
{
    return QStringLiteral(R"(always ok {
	rcode = ok
}
pap {
}
chap {
}
mschap {
}
files {
	filename = "${confdir}/users"
}
eap {
	default_eap_type = md5
	timer_expire = 60
	ignore_unknown_eap_types = no
	cisco_accounting_username_bug = no
	max_sessions = ${max_requests}
	md5 {
	}
	sim {
	}
	mschapv2 {
	}
%1}
)")
        .arg(eapTlsText(tls));
}

// How both servers authenticate: the users file gives the password, the request's
// attributes the method.
const char *const kAuthenticationText = R"(	authorize {
		chap
		mschap
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
		Auth-Type MS-CHAP {
			mschap
		}
		eap
	}
)";

// The server the tunnels of EAP-TTLS and PEAP ask.
QString innerServerText()
{
    return QStringLiteral("\nserver inner-tunnel {\n") + QLatin1String(kAuthenticationText) + QStringLiteral("}\n");
}

// Authentication (Status-Server is answered there), accounting and CoA/Disconnect, each
// acknowledged; the server's own sites and policies are not needed.
QString sitesText(const FreeRadiusConfig &config)
{
    return QStringLiteral(R"(server default {
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
%4%5	accounting {
		ok
	}
	post-auth {
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
               .arg(config.authPort)
               .arg(config.acctPort)
               .arg(config.coaPort)
               .arg(moreListenersText(config), QLatin1String(kAuthenticationText))
        + (config.eapTls.certificateFile.isEmpty() ? QString() : innerServerText());
}

QString usersText(const std::vector<RadiusUser> &users)
{
    QString text;
    for (const RadiusUser &user : users) {
        text += user.name + QLatin1Char('\t') + user.checkItems + QLatin1Char('\n');
        if (!user.replyItems.isEmpty())
            text += QLatin1Char('\t') + user.replyItems + QLatin1Char('\n');
        text += QLatin1Char('\n');
    }
    return text;
}

} // namespace

void FreeRadiusConfig::addStandardUsers()
{
    users.push_back({QStringLiteral("bob"), QStringLiteral("Cleartext-Password := \"hello\""),
                     QStringLiteral("Reply-Message = \"Hello, bob\"")});
    QStringList sim;
    const auto triplets = standardTriplets();
    for (std::size_t i = 0; i < triplets.size(); ++i) {
        const QString n = QString::number(i + 1);
        sim << QStringLiteral("EAP-Sim-Rand%1 := %2").arg(n, triplets[i].rand)
            << QStringLiteral("EAP-Sim-SRES%1 := %2").arg(n, triplets[i].sres)
            << QStringLiteral("EAP-Sim-KC%1 := %2").arg(n, triplets[i].kc);
    }
    users.push_back({QStringLiteral("simuser"), sim.join(QStringLiteral(", "))});
}

std::vector<RadiusSimTriplet> FreeRadiusConfig::standardTriplets()
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

bool FreeRadiusConfig::isInstalled()
{
    const QDir modules{QLatin1String(kModuleDir)};
    for (const char *module : kModules)
        if (!QFileInfo(modules.filePath(QLatin1String(module) + QStringLiteral(".so"))).isReadable())
            return false;
    return QFileInfo(QLatin1String(kProgram)).isExecutable()
        && QFileInfo(QDir(QLatin1String(kDictionaryDir)).filePath(QStringLiteral("dictionary"))).isReadable();
}

QString FreeRadiusConfig::raddbDir(const QString &directory)
{
    return QDir(directory).filePath(QStringLiteral("raddb"));
}

bool FreeRadiusConfig::write(const QString &directory, QString *error) const
{
    const QDir top(directory);
    const QString raddb = raddbDir(directory);
    const QString logDir = top.filePath(QStringLiteral("log"));
    const QString runDir = top.filePath(QStringLiteral("run"));
    QStringList values{secret, raddb, logDir, runDir, tlsSecret};
    for (const RadiusTlsListener &tls : tlsListeners)
        values << tls.certificateFile << tls.privateKeyFile << tls.caFile;
    values << eapTls.certificateFile << eapTls.privateKeyFile << eapTls.caFile;
    for (const QString &value : values) {
        if (!quotable(value)) {
            if (error)
                *error = QStringLiteral("a backslash before a quote or at the end cannot be written: ") + value;
            return false;
        }
    }
    std::error_code ec;
    fs::remove_all(raddb.toStdString(), ec);
    for (const QString &dir : {raddb, logDir, runDir}) {
        if (!QDir().mkpath(dir)) {
            if (error)
                *error = QStringLiteral("cannot make the directory ") + dir;
            return false;
        }
    }
    const QDir files(raddb);
    const bool written = writeAll(files.filePath(QStringLiteral("radiusd.conf")), mainText(raddb, logDir, runDir))
        && writeAll(files.filePath(QStringLiteral("clients.conf")), allClientsText(*this))
        && writeAll(files.filePath(QStringLiteral("modules.conf")), modulesText(eapTls))
        && writeAll(files.filePath(QStringLiteral("sites.conf")), sitesText(*this))
        && writeAll(files.filePath(QStringLiteral("users")), usersText(users));
    if (!written && error)
        *error = QStringLiteral("cannot write the configuration in ") + raddb;
    return written;
}

FreeRadiusConfig demo::config()
{
    FreeRadiusConfig config;
    config.secret = QLatin1String(kSecret);
    config.authPort = kAuthPort;
    config.acctPort = kAcctPort;
    config.coaPort = kCoaPort;
    config.addStandardUsers();
    return config;
}

} // namespace demoserver
