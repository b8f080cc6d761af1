#pragma once

#include <QString>

#include <vector>

namespace demoserver {

// One users-file entry: "name check-items", then the reply items on the next line.
struct RadiusUser {
    QString name;
    QString checkItems;      // e.g. Cleartext-Password := "hello"
    QString replyItems = {}; // e.g. Reply-Message = "Hello, bob"
};

// A GSM triplet as hex text (0x...), shared by the server's users entry and a client's packet.
struct RadiusSimTriplet {
    QString rand; // 16 octets
    QString sres; // 4 octets
    QString kc;   // 8 octets
};

// A RADIUS over TLS listener: the certificate it shows and the CA its clients' must chain to.
struct RadiusTlsListener {
    quint16 port = 0;
    QString certificateFile; // PEM
    QString privateKeyFile;  // PEM, unencrypted
    QString caFile;          // PEM
    bool requireClientCertificate = true;
    QString maxVersion = QStringLiteral("1.3"); // the newest TLS it speaks: "1.2" or "1.3"
};

// The certificate the EAP methods over TLS (EAP-TLS, EAP-TTLS, PEAP) show, and the CA
// EAP-TLS clients' certificates must chain to.
struct RadiusEapTls {
    QString certificateFile; // PEM
    QString privateKeyFile;  // PEM, unencrypted
    QString caFile;          // PEM
};

// A private FreeRADIUS configuration of our own, needing nothing from /etc/freeradius
// (which Debian lets only root and the group freerad read): only the server, its
// modules and its dictionaries, all world-readable. Listeners on 127.0.0.1
// (authentication with Status-Server, accounting, CoA/Disconnect), clients 127.0.0.1
// and ::1 with the secret, the users given, PAP, CHAP, MS-CHAP, EAP-MD5, EAP-SIM and
// EAP-MSCHAPv2 (with eapTls also EAP-TLS, EAP-TTLS and PEAP over an inner server), run as
// whoever starts it. The test fixture and the demo server both use it.
struct FreeRadiusConfig {
    static constexpr const char *kProgram = "/usr/sbin/freeradius";
    static constexpr const char *kModuleDir = "/usr/lib/freeradius";
    static constexpr const char *kDictionaryDir = "/usr/share/freeradius";
    // The server, the modules this configuration loads and the dictionaries are there.
    static bool isInstalled();

    QString secret = QStringLiteral("testing123");
    quint16 authPort = 0;
    quint16 acctPort = 0;
    quint16 coaPort = 0;
    std::vector<RadiusUser> users;
    // The clients' require_message_authenticator: Access-Requests without one are dropped.
    bool requireMessageAuthenticator = false;
    // Authentication and accounting also on ::1 (the same ports), and so the stream listeners.
    bool ipv6 = false;
    // Authentication and accounting over TCP on one port; 0: none.
    quint16 tcpPort = 0;
    // Authentication and accounting over TLS, each listener on a port of its own; its
    // clients (127.0.0.1, ::1) share tlsSecret.
    std::vector<RadiusTlsListener> tlsListeners;
    QString tlsSecret = QStringLiteral("radsec");
    // EAP over TLS; none without a certificate.
    RadiusEapTls eapTls;

    // bob / hello (PAP, CHAP, EAP-MD5) and simuser with standardTriplets().
    void addStandardUsers();
    static std::vector<RadiusSimTriplet> standardTriplets();

    // Writes raddb/ (the configuration, readable by its owner only), log/ and run/ below
    // `directory`, replacing an earlier raddb/. On failure error holds the reason.
    bool write(const QString &directory, QString *error) const;
    static QString raddbDir(const QString &directory);
};

// The demo server's fixed endpoint, which the example tasks aim at: away from the
// standard ports so that it runs beside a server of the user's own.
namespace demo {
inline constexpr const char *kAddress = "127.0.0.1";
inline constexpr quint16 kAuthPort = 18120;
inline constexpr quint16 kAcctPort = 18130;
inline constexpr quint16 kCoaPort = 37990;
inline constexpr const char *kSecret = "testing123";
FreeRadiusConfig config();
} // namespace demo

} // namespace demoserver
