#include "demoserver/FreeRadiusConfig.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <filesystem>
#include <system_error>

namespace demoserver {

namespace {

namespace fs = std::filesystem;

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

QString siteText(const FreeRadiusConfig &config)
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
        .arg(config.authPort)
        .arg(config.acctPort)
        .arg(config.coaPort);
}

const char *const kEapModule = R"(eap {
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
)";

QString usersText(const std::vector<RadiusUser> &users)
{
    QString text;
    for (const RadiusUser &user : users) {
        text += user.name + QLatin1Char('\t') + user.checkItems + QLatin1Char('\n');
        if (!user.replyItems.isEmpty()) text += QLatin1Char('\t') + user.replyItems + QLatin1Char('\n');
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

QString FreeRadiusConfig::raddbDir(const QString &directory)
{
    return QDir(directory).filePath(QStringLiteral("raddb"));
}

bool FreeRadiusConfig::write(const QString &directory, QString *error) const
{
    const QString raddb = raddbDir(directory);
    const fs::path target = raddb.toStdString();
    std::error_code ec;
    fs::remove_all(target, ec);
    fs::copy(kInstalledConfig, target, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
    if (ec) {
        if (error) *error = QStringLiteral("cannot copy %1: %2").arg(QLatin1String(kInstalledConfig),
                                                                      QString::fromStdString(ec.message()));
        return false;
    }
    const QString logDir = QDir(directory).filePath(QStringLiteral("log"));
    const QString runDir = QDir(directory).filePath(QStringLiteral("run"));
    fs::create_directories((logDir + QStringLiteral("/radacct")).toStdString(), ec);
    fs::create_directories(runDir.toStdString(), ec);

    QString main = QString::fromUtf8(readAll(raddb + QStringLiteral("/radiusd.conf")));
    main = replaceLine(main, QStringLiteral("^raddbdir = .*$"), QStringLiteral("raddbdir = ") + raddb);
    main = replaceLine(main, QStringLiteral("^logdir = .*$"), QStringLiteral("logdir = ") + logDir);
    main = replaceLine(main, QStringLiteral("^run_dir = .*$"), QStringLiteral("run_dir = ") + runDir);
    // Runs as whoever starts it.
    main = replaceLine(main, QStringLiteral("^(\\s*)(user|group) = "), QStringLiteral("\\1#\\2 = "));
    main = replaceLine(main, QStringLiteral("^(\\s*)reject_delay = .*$"), QStringLiteral("\\1reject_delay = 0"));
    main = replaceLine(main, QStringLiteral("^(\\s*)status_server = .*$"), QStringLiteral("\\1status_server = yes"));
    main = replaceLine(main, QStringLiteral("^proxy_requests\\s*=.*$"), QStringLiteral("proxy_requests = no"));

    for (const auto &entry : fs::directory_iterator(target / "sites-enabled", ec)) fs::remove(entry.path(), ec);
    fs::remove(target / "mods-enabled" / "eap", ec);

    const QString clients = QStringLiteral("client localhost {\n\tipaddr = 127.0.0.1\n\tsecret = %1\n}\n").arg(secret);
    const bool written = writeAll(raddb + QStringLiteral("/radiusd.conf"), main.toUtf8()) &&
                         writeAll(raddb + QStringLiteral("/sites-enabled/pellion"), siteText(*this).toUtf8()) &&
                         writeAll(raddb + QStringLiteral("/mods-enabled/eap"), QByteArray(kEapModule)) &&
                         writeAll(raddb + QStringLiteral("/clients.conf"), clients.toUtf8()) &&
                         writeAll(raddb + QStringLiteral("/mods-config/files/authorize"), usersText(users).toUtf8());
    if (!written && error) *error = QStringLiteral("cannot write the configuration in ") + raddb;
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
