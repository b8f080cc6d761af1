#include "execution/ClientCommandLine.h"

#include "clients/ClientOptions.h"
#include "platform/ChildProcess.h"
#include "platform/CommandLine.h"
#include "taskstore/TaskReader.h"

namespace execution {

namespace {
// An IPv6 address goes in brackets, so that its colons are not taken for the port's.
QString serverWithPort(const QString &server, int port)
{
    const QString trimmed = server.trimmed();
    const bool bareIpv6 = trimmed.count(QLatin1Char(':')) >= 2 && !trimmed.startsWith(QLatin1Char('['));
    return (bareIpv6 ? QLatin1Char('[') + trimmed + QLatin1Char(']') : server) + QLatin1Char(':')
        + QString::number(port);
}

// The clients' words for a task's transport and Message-Authenticator settings, in one place.
const QLatin1String kTransportOption(" -P ");
const QLatin1String kCaFileOption(" --ca ");
const QLatin1String kCertFileOption(" --cert ");
const QLatin1String kKeyFileOption(" --key ");
const QLatin1String kLegacyAuthenticatorOption(" -M");
const QLatin1String kRequireAuthenticatorOption(" -A");
const QLatin1String kSecretFileOption("-S ");

using platform::quoteCommandWord;

// Only what differs from the defaults, so that a task without these settings keeps its line.
QString transportOptions(const taskstore::TaskTransport &t)
{
    QString options;
    if (t.Protocol != taskstore::TaskTransport{}.Protocol)
        options += kTransportOption + t.Protocol;
    if (t.isTls()) {
        for (const auto &[option, file] : {std::pair{kCaFileOption, t.CaFile}, std::pair{kCertFileOption, t.CertFile},
                                           std::pair{kKeyFileOption, t.KeyFile}})
            if (!file.isEmpty())
                options += option + quoteCommandWord(file);
    }
    if (!t.MessageAuthenticatorFirst)
        options += kLegacyAuthenticatorOption;
    if (t.RequireMessageAuthenticator)
        options += kRequireAuthenticatorOption;
    return options.isEmpty() ? options : options.mid(1) + QLatin1String("  ");
}

QString secretFileOption()
{
    return kSecretFileOption + QStringLiteral("/dev/fd/%1").arg(platform::ChildProcess::kInheritedFd);
}

QString lineWith(const taskstore::TaskRecord &task, const QString &privateOptions, const QString &secretWord)
{
    auto number = [](int value) { return QString::number(value); };
    const QString script = taskstore::scriptRelativePath(task.TaskID);
    const bool eap = task.AuthMode == QLatin1String("EAP-MD5") || task.AuthMode == QLatin1String("EAP-SIM");
    QString line = eap ? QStringLiteral("radeapclient") : QStringLiteral("radclient");
    line += QLatin1String(" -c ") + number(task.RepeatTimes) + QLatin1String("  -f  \"") + script
        + QLatin1String("\"  -i ") + number(task.StartID);
    if (!eap)
        line += QLatin1String("  -n ") + number(task.NumPerSec) + QLatin1String("  -p ") + number(task.NumInParall);
    line += QLatin1String("  -r ") + number(task.RetryTimes) + QLatin1String("  -t ") + number(task.ReplyTimeout)
        + QLatin1String("  -sx  ") + transportOptions(task.Transport) + privateOptions;
    // The line is split into the client's words again, never by a shell: a stored text that
    // would not come back as itself is quoted reversibly; every other value goes in as stored.
    return line + quoteCommandWord(serverWithPort(task.ServerIP, task.Port)) + QLatin1Char(' ')
        + number(task.RequestTypeCode) + QLatin1Char(' ') + secretWord;
}

} // namespace

QString BuildCommandLine(const taskstore::TaskRecord &task)
{
    return lineWith(task, {}, quoteCommandWord(task.SecretKey));
}

bool CanHandOverSecret(const QString &secret)
{
    // The client reads the first line of the file, without a trailing CR.
    return !secret.isEmpty() && !secret.contains(QLatin1Char('\n')) && !secret.endsWith(QLatin1Char('\r'));
}

QString BuildPrivateCommandLine(const taskstore::TaskRecord &task)
{
    return lineWith(task, secretFileOption() + QLatin1String("  "), QLatin1String(clients::kSecretPlaceholder));
}

QString BuildSecurityCheckLine(const taskstore::TaskRecord &task, bool privately)
{
    const QString server = quoteCommandWord(serverWithPort(task.ServerIP, task.Port));
    return QStringLiteral("radclient -B -r %1 -t %2 ").arg(task.RetryTimes).arg(task.ReplyTimeout)
        + (privately ? secretFileOption() + QLatin1Char(' ') + server + QLatin1Char(' ')
                   + QLatin1String(clients::kSecretPlaceholder)
                     : server + QLatin1Char(' ') + quoteCommandWord(task.SecretKey));
}

} // namespace execution
