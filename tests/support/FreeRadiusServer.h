#pragma once

#include "demoserver/FreeRadiusConfig.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace testsupport {

using RadiusUser = demoserver::RadiusUser;
using RadiusSimTriplet = demoserver::RadiusSimTriplet;
using RadiusTlsListener = demoserver::RadiusTlsListener;
using RadiusEapTls = demoserver::RadiusEapTls;

// A private FreeRADIUS server for integration tests: demoserver::FreeRadiusConfig (the
// demo server's configuration) in a temporary directory with free ports on 127.0.0.1;
// run in the foreground until stop() or destruction, which end it by its process id.
//
//   if (!FreeRadiusServer::isInstalled()) GTEST_SKIP() << "no FreeRADIUS server";
//   FreeRadiusServer server;
//   server.addStandardUsers();
//   ASSERT_TRUE(server.start(&error)) << error;
//   ... send to 127.0.0.1:server.authPort() with server.secret() ...
class FreeRadiusServer {
public:
    static constexpr const char *kProgram = demoserver::FreeRadiusConfig::kProgram;
    static bool isInstalled();

    FreeRadiusServer();
    ~FreeRadiusServer();
    FreeRadiusServer(const FreeRadiusServer &) = delete;
    FreeRadiusServer &operator=(const FreeRadiusServer &) = delete;

    // Before start(): the client secret (default "testing123") and the users.
    void setSecret(const QString &secret) { m_config.secret = secret; }
    void addUser(const RadiusUser &user) { m_config.users.push_back(user); }
    // bob / hello (PAP, CHAP, EAP-MD5) and simuser with standardTriplets().
    void addStandardUsers();
    void setRequireMessageAuthenticator(bool required) { m_config.requireMessageAuthenticator = required; }
    static std::vector<RadiusSimTriplet> standardTriplets() { return demoserver::FreeRadiusConfig::standardTriplets(); }
    // Authentication and accounting also on ::1, and over TCP; TLS listeners (their port
    // is chosen at start). The TLS clients' secret is tlsSecret() ("radsec").
    void listenOnIpv6() { m_config.ipv6 = true; }
    void listenOverTcp() { m_wantTcp = true; }
    // The listener's index for tlsPort().
    std::size_t addTlsListener(const RadiusTlsListener &listener);
    // EAP-TLS, EAP-TTLS and PEAP with this certificate.
    void setEapTls(const RadiusEapTls &tls) { m_config.eapTls = tls; }

    // Writes the configuration, starts the server and waits until it is ready to
    // process requests (at most timeoutMs). On failure error holds the reason and the
    // server's output. Retries with other ports when one was taken meanwhile.
    bool start(QString *error = nullptr, int timeoutMs = 15000);
    // A started server with the secret, the standard users and `extraUsers`; nothing when
    // FreeRADIUS is not installed, or with the reason in `error` when it did not start.
    static std::unique_ptr<FreeRadiusServer> started(const QString &secret, const std::vector<RadiusUser> &extraUsers,
                                                     QString *error);
    // SIGTERM to the server's process id, then a bounded wait (SIGKILL after it).
    void stop();
    bool isRunning() const;

    QString secret() const { return m_config.secret; }
    quint16 authPort() const { return m_config.authPort; }
    quint16 acctPort() const { return m_config.acctPort; }
    quint16 coaPort() const { return m_config.coaPort; }
    quint16 tcpPort() const { return m_config.tcpPort; }
    quint16 tlsPort(std::size_t index) const { return m_config.tlsListeners.at(index).port; }
    QString tlsSecret() const { return m_config.tlsSecret; }
    QString configDir() const; // the generated raddb directory
    QString output() const;    // what the server has logged so far

private:
    bool startOnce(int timeoutMs, QString *error, bool *portTaken);

    QTemporaryDir m_dir;
    demoserver::FreeRadiusConfig m_config;
    std::unique_ptr<QProcess> m_process;
    bool m_wantTcp = false;
};

} // namespace testsupport
