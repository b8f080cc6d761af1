#include "taskstore/AuthMode.h"

#include "taskstore/TaskRecord.h"

namespace taskstore {

namespace {
using L = QLatin1StringView;
// name, method, eapClient, usesPassword, tls, anonymousIdentity, innerMethod, needsCertificate
const EnterpriseMode kModes[] = {
    {L("MS-CHAPv2"), L("mschapv2"), false, true, false, false, false, false},
    {L("EAP-MSCHAPv2"), L("mschapv2"), true, true, false, false, false, false},
    {L("PEAP"), L("peap"), true, true, true, true, false, false},
    {L("EAP-TTLS"), L("ttls"), true, true, true, true, true, false},
    {L("EAP-TLS"), L("tls"), true, false, true, false, false, true},
};
const InnerMethod kInnerMethods[] = {
    {L("pap"), L("PAP")},
    {L("mschapv2"), L("MS-CHAPv2")},
    {L("md5"), L("EAP-MD5")},
};
} // namespace

std::span<const EnterpriseMode> enterpriseModes()
{
    return kModes;
}

const EnterpriseMode *enterpriseMode(const QString &authMode)
{
    for (const EnterpriseMode &mode : kModes)
        if (authMode == mode.name)
            return &mode;
    return nullptr;
}

const EnterpriseMode *enterpriseMode(const QString &authMode, int requestType)
{
    const bool modeApplies = requestType == kAuth || requestType == kUserDefined;
    return modeApplies ? enterpriseMode(authMode) : nullptr;
}

bool isLegacyEapMode(const QString &authMode)
{
    return authMode == QLatin1String("EAP-MD5") || authMode == QLatin1String("EAP-SIM");
}

bool usesEapClient(const QString &authMode)
{
    const EnterpriseMode *mode = enterpriseMode(authMode);
    return isLegacyEapMode(authMode) || (mode && mode->eapClient);
}

std::span<const InnerMethod> innerMethods()
{
    return kInnerMethods;
}

QString innerMethodName(const QString &value)
{
    for (const InnerMethod &method : kInnerMethods)
        if (value == method.value)
            return method.name;
    return {};
}

} // namespace taskstore
