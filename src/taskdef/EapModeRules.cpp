#include "taskdef/EapModeRules.h"

#include "platform/CurrentLanguage.h"
#include "taskdef/PacketTable.h"
#include "taskstore/AuthMode.h"

#include <QFileInfo>

namespace taskdef {

namespace {
QString text(const char *key, const char *builtIn)
{
    return platform::CurrentLanguage::text("frmTask", key, builtIn);
}

bool hasAttribute(const QList<AttributeRow> &rows, const QStringList &names)
{
    for (const AttributeRow &row : rows)
        for (const QString &name : names)
            if (row.attribute.trimmed().compare(name, Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

// Each packet is one login: each needs the user's identity and password.
std::optional<QString> missingCredentials(const taskstore::EnterpriseMode &mode, const PacketTable &packets)
{
    // radeapclient also takes the identity from an EAP-Type-Identity the user wrote.
    QStringList identities{QStringLiteral("User-Name")};
    if (mode.eapClient)
        identities << QStringLiteral("EAP-Type-Identity");
    for (const QString &packet : packets.packets) {
        const QList<AttributeRow> rows = packets.rowsOf(packet);
        if (!hasAttribute(rows, identities))
            return text("EapNoUserName", "%1 has no User-Name: %2 takes the user's identity from it.")
                .arg(packet, mode.name);
        if (!hasAttribute(rows, {QStringLiteral("User-Password")}))
            return text("EapNoPassword", "%1 has no User-Password: %2 takes the user's password from it.")
                .arg(packet, mode.name);
    }
    return std::nullopt;
}

std::optional<QString> certificateProblem(const taskstore::EnterpriseMode &mode, const taskstore::TaskEapSettings &s)
{
    if (mode.needsCertificate && (s.CertFile.isEmpty() || s.KeyFile.isEmpty()))
        return text("EapNoCertificate", "EAP-TLS needs a client certificate and its key.");
    if (s.CertFile.isEmpty() != s.KeyFile.isEmpty())
        return text("EapCertWithoutKey", "A client certificate needs its key, and a key its certificate.");
    for (const QString &file : {s.CaFile, s.CertFile, s.KeyFile}) {
        const QFileInfo info(file);
        if (!file.isEmpty() && !(info.isFile() && info.isReadable()))
            return text("EapUnreadableFile", "The file does not exist or cannot be read: %1").arg(file);
    }
    return std::nullopt;
}
} // namespace

taskstore::TaskEapSettings settingsForMode(const QString &mode, const taskstore::TaskEapSettings &entered)
{
    taskstore::TaskEapSettings kept;
    const taskstore::EnterpriseMode *m = taskstore::enterpriseMode(mode);
    if (!m)
        return kept;
    if (m->anonymousIdentity)
        kept.AnonymousIdentity = entered.AnonymousIdentity.trimmed();
    if (m->innerMethod)
        kept.InnerMethod = entered.InnerMethod;
    if (m->tls) {
        kept.VerifyServer = entered.VerifyServer;
        if (entered.VerifyServer)
            kept.CaFile = entered.CaFile.trimmed();
        kept.CertFile = entered.CertFile.trimmed();
        kept.KeyFile = entered.KeyFile.trimmed();
    }
    return kept;
}

std::optional<QString> eapSettingsProblem(const QString &mode, const taskstore::TaskEapSettings &settings,
                                          const PacketTable &packets)
{
    const taskstore::EnterpriseMode *m = taskstore::enterpriseMode(mode);
    if (!m)
        return std::nullopt;
    if (m->usesPassword)
        if (std::optional<QString> missing = missingCredentials(*m, packets))
            return missing;
    if (m->innerMethod && taskstore::innerMethodName(settings.InnerMethod).isEmpty())
        return text("EapNoInnerMethod", "EAP-TTLS needs an inner method: PAP, MS-CHAPv2 or EAP-MD5.");
    if (m->tls)
        return certificateProblem(*m, settings);
    return std::nullopt;
}

} // namespace taskdef
