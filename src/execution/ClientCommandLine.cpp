#include "execution/ClientCommandLine.h"

#include "clients/ClientOptions.h"
#include "platform/ChildProcess.h"
#include "platform/CommandLine.h"
#include "taskstore/AuthMode.h"
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
// The enterprise modes' words.
const QLatin1String kMethodOption("-a ");
const QLatin1String kAnonymousOption(" --anonymous ");
const QLatin1String kInnerMethodOption(" --inner ");
const QLatin1String kEapCaFileOption(" --eap-ca ");
const QLatin1String kEapInsecureOption(" --eap-insecure");
const QLatin1String kEapCertFileOption(" --eap-cert ");
const QLatin1String kEapKeyFileOption(" --eap-key ");

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

// The method of an enterprise mode and the settings it uses; nothing for the older modes,
// whose lines stay as they were.
QString methodOptions(const taskstore::TaskRecord &task)
{
    const taskstore::EnterpriseMode *mode = taskstore::enterpriseMode(task.AuthMode, task.RequestType);
    if (!mode)
        return {};
    const taskstore::TaskEapSettings &e = task.Eap;
    QString options = kMethodOption + mode->method;
    if (mode->anonymousIdentity && !e.AnonymousIdentity.isEmpty())
        options += kAnonymousOption + quoteCommandWord(e.AnonymousIdentity);
    if (mode->innerMethod && !e.InnerMethod.isEmpty())
        options += kInnerMethodOption + quoteCommandWord(e.InnerMethod);
    if (mode->tls) {
        // Neither a CA file nor --eap-insecure: the client checks against the system's store.
        if (!e.VerifyServer)
            options += kEapInsecureOption;
        else if (!e.CaFile.isEmpty())
            options += kEapCaFileOption + quoteCommandWord(e.CaFile);
        for (const auto &[option, file] :
             {std::pair{kEapCertFileOption, e.CertFile}, std::pair{kEapKeyFileOption, e.KeyFile}})
            if (!file.isEmpty())
                options += option + quoteCommandWord(file);
    }
    return options + QLatin1String("  ");
}

QString secretFileOption()
{
    return kSecretFileOption + QStringLiteral("/dev/fd/%1").arg(platform::ChildProcess::kInheritedFd);
}

QString lineWith(const taskstore::TaskRecord &task, const QString &privateOptions, const QString &secretWord)
{
    auto number = [](int value) { return QString::number(value); };
    const QString script = taskstore::scriptRelativePath(task.TaskID);
    const taskstore::EnterpriseMode *enterprise = taskstore::enterpriseMode(task.AuthMode, task.RequestType);
    const bool eap = taskstore::isLegacyEapMode(task.AuthMode) || (enterprise && enterprise->eapClient);
    QString line = eap ? QStringLiteral("radeapclient") : QStringLiteral("radclient");
    line += QLatin1String(" -c ") + number(task.RepeatTimes) + QLatin1String("  -f  \"") + script
        + QLatin1String("\"  -i ") + number(task.StartID);
    if (!eap)
        line += QLatin1String("  -n ") + number(task.NumPerSec) + QLatin1String("  -p ") + number(task.NumInParall);
    line += QLatin1String("  -r ") + number(task.RetryTimes) + QLatin1String("  -t ") + number(task.ReplyTimeout)
        + QLatin1String("  -sx  ") + transportOptions(task.Transport) + methodOptions(task) + privateOptions;
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
