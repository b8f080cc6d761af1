#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace testsupport {

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

// A private FreeRADIUS server for integration tests: the installed configuration copied
// into a temporary directory and cut down to listeners on 127.0.0.1 with free ports
// (authentication with Status-Server, accounting, CoA/Disconnect), one client
// 127.0.0.1 with the secret, the users given, EAP-MD5 and EAP-SIM; run in the
// foreground until stop() or destruction, which end it by its process id.
//
//   if (!FreeRadiusServer::isInstalled()) GTEST_SKIP() << "no FreeRADIUS server";
//   FreeRadiusServer server;
//   server.addStandardUsers();
//   ASSERT_TRUE(server.start(&error)) << error;
//   ... send to 127.0.0.1:server.authPort() with server.secret() ...
class FreeRadiusServer {
public:
    static constexpr const char *kProgram = "/usr/sbin/freeradius";
    static constexpr const char *kInstalledConfig = "/etc/freeradius/3.0";
    static bool isInstalled();

    FreeRadiusServer();
    ~FreeRadiusServer();
    FreeRadiusServer(const FreeRadiusServer &) = delete;
    FreeRadiusServer &operator=(const FreeRadiusServer &) = delete;

    // Before start(): the client secret (default "testing123") and the users.
    void setSecret(const QString &secret) { m_secret = secret; }
    void addUser(const RadiusUser &user) { m_users.push_back(user); }
    // bob / hello (PAP, CHAP, EAP-MD5) and simuser with standardTriplets().
    void addStandardUsers();
    static std::vector<RadiusSimTriplet> standardTriplets();

    // Writes the configuration, starts the server and waits until it is ready to
    // process requests (at most timeoutMs). On failure error holds the reason and the
    // server's output. Retries with other ports when one was taken meanwhile.
    bool start(QString *error = nullptr, int timeoutMs = 15000);
    // SIGTERM to the server's process id, then a bounded wait (SIGKILL after it).
    void stop();
    bool isRunning() const;

    QString secret() const { return m_secret; }
    quint16 authPort() const { return m_authPort; }
    quint16 acctPort() const { return m_acctPort; }
    quint16 coaPort() const { return m_coaPort; }
    QString configDir() const;  // the generated raddb directory
    QString output() const;     // what the server has logged so far

private:
    bool writeConfig(QString *error);
    bool startOnce(int timeoutMs, QString *error, bool *portTaken);

    QTemporaryDir m_dir;
    QString m_secret = QStringLiteral("testing123");
    std::vector<RadiusUser> m_users;
    quint16 m_authPort = 0;
    quint16 m_acctPort = 0;
    quint16 m_coaPort = 0;
    std::unique_ptr<QProcess> m_process;
};

} // namespace testsupport
