#pragma once

#include <QLatin1StringView>
#include <QString>

#include <span>

namespace taskstore {

// An authentication mode that our clients compute from the packet's User-Name and
// User-Password (and, for the EAP methods, from the task's TaskEapSettings), stored in
// Task.AuthMode under its name.
struct EnterpriseMode {
    QLatin1StringView name;    // as stored and listed: "MS-CHAPv2", "PEAP"...
    QLatin1StringView method;  // the clients' -a word
    bool eapClient = false;    // radeapclient; radclient otherwise
    bool usesPassword = false; // the packet must carry User-Name and User-Password
    bool tls = false;          // TLS inside EAP: the server certificate is checked, a client certificate taken
    bool anonymousIdentity = false;
    bool innerMethod = false;
    bool needsCertificate = false; // a client certificate and key are required, not just allowed
};

// In the order the task editor lists them, after the older modes.
std::span<const EnterpriseMode> enterpriseModes();
// The mode of that exact name; null for PAP, CHAP, EAP-MD5, EAP-SIM and any other text.
const EnterpriseMode *enterpriseMode(const QString &authMode);
// The enterprise mode of a task of this request type: none where the mode does not apply
// (accounting, Status-Server and Disconnect requests, whose editor hides the mode).
const EnterpriseMode *enterpriseMode(const QString &authMode, int requestType);
// "EAP-MD5" and "EAP-SIM" (exact case): radeapclient without a method.
bool isLegacyEapMode(const QString &authMode);
// The mode is run by radeapclient, one request at a time without a rate.
bool usesEapClient(const QString &authMode);

// TaskEapSettings.InnerMethod values with the names the editor and the report show.
struct InnerMethod {
    QLatin1StringView value;
    QLatin1StringView name;
};
std::span<const InnerMethod> innerMethods();
// The shown name of a stored inner method; empty for one that is not known.
QString innerMethodName(const QString &value);

} // namespace taskstore
