// Throughput of our radclient against Debian's on the same flood of PAP
// Access-Requests to a private FreeRADIUS server, ours over TCP and TLS next to UDP
// (one connection, -p 64), and how well -n holds a rate; radeapclient's EAP-MD5, PEAP and
// EAP-TLS authentications per second, one at a time (it has no -p: every run is -p 1).
// Prints "name: value" lines. Not a test: run it by hand.

#include "support/FreeRadiusServer.h"
#include "support/TestPki.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

constexpr int kPackets = 64;

struct Flood {
    QString name;
    int repeat;
    int parallel;
};

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

// Wall seconds of one run, or a negative number when it failed or lost requests.
double timeRun(const QString &program, const QStringList &words, const QString &dir, QByteArray *output = nullptr)
{
    QProcess process;
    process.setWorkingDirectory(dir);
    process.setStandardInputFile(QProcess::nullDevice());
    if (output)
        process.setProcessChannelMode(QProcess::MergedChannels);
    else
        process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, words);
    if (!process.waitForFinished(300000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    if (output)
        *output = process.readAll();
    return process.exitCode() == 0 ? seconds : -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Authentications per second of radeapclient over -c rounds of one packet: the wall
// time of the process, so its start and dictionary load are spread over the rounds.
bool benchEap(const testsupport::TestPki &pki, const testsupport::FreeRadiusServer &server, const QString &dir)
{
    constexpr int kRounds = 200;
    const QString target = QStringLiteral("127.0.0.1:%1").arg(server.authPort());
    const QStringList common{QStringLiteral("-c"),      QString::number(kRounds), QStringLiteral("-f"),
                             QStringLiteral("one.txt"), QStringLiteral("-r"),     QStringLiteral("0"),
                             QStringLiteral("-t"),      QStringLiteral("3")};
    const std::pair<const char *, QStringList> methods[] = {
        {"md5", {QStringLiteral("-a"), QStringLiteral("md5")}},
        {"peap", {QStringLiteral("-a"), QStringLiteral("peap"), QStringLiteral("--eap-ca"), pki.caFile()}},
        {"tls",
         {QStringLiteral("-a"), QStringLiteral("tls"), QStringLiteral("--eap-ca"), pki.caFile(),
          QStringLiteral("--eap-cert"), pki.certificate("client"), QStringLiteral("--eap-key"), pki.key("client")}},
    };
    double md5Rate = 0;
    for (const auto &[name, words] : methods) {
        std::vector<double> rates;
        for (int round = 0; round < 3; ++round) {
            const double seconds =
                timeRun(QStringLiteral(PELLION_RADEAPCLIENT),
                        common + words + QStringList{target, QStringLiteral("1"), server.secret()}, dir);
            if (seconds <= 0) {
                std::printf("error: a radeapclient -a %s run failed\n", name);
                return false;
            }
            rates.push_back(kRounds / seconds);
        }
        const double rate = median(rates);
        std::printf("eap_auths_per_s_%s_p1: %.0f\n", name, rate);
        if (md5Rate == 0)
            md5Rate = rate;
        else
            std::printf("ratio_eap_%s_to_md5_p1: %.3f\n", name, rate / md5Rate);
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!testsupport::FreeRadiusServer::isInstalled()) {
        std::printf("error: %s is not installed\n", testsupport::FreeRadiusServer::kProgram);
        return 1;
    }
    const QString ours = QStringLiteral(PELLION_RADCLIENT);
    const QString debian = QStringLiteral("/usr/bin/radclient");

    QString error;
    testsupport::TestPki pki;
    if (!pki.create(&error)) {
        std::printf("error: %s\n", qPrintable(error));
        return 1;
    }
    testsupport::FreeRadiusServer server;
    server.addStandardUsers();
    server.listenOverTcp();
    const std::size_t tlsListener =
        server.addTlsListener({0, pki.certificate("server"), pki.key("server"), pki.caFile(), true});
    server.setEapTls({pki.certificate("server"), pki.key("server"), pki.caFile()});
    if (!server.start(&error)) {
        std::printf("error: %s\n", qPrintable(error));
        return 1;
    }

    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("dictionary"));
    QByteArray script;
    for (int i = 0; i < kPackets; ++i)
        script += "User-Name = bob\nUser-Password = hello\nNAS-Port = " + QByteArray::number(i) + "\n\n";
    if (!writeFile(dir.filePath(QStringLiteral("dictionary/dictionary")), "$INCLUDE /usr/share/freeradius/dictionary\n")
        || !writeFile(dir.filePath(QStringLiteral("flood.txt")), script)) {
        std::printf("error: cannot write into %s\n", qPrintable(dir.path()));
        return 1;
    }
    const QString target = QStringLiteral("127.0.0.1:%1").arg(server.authPort());

    const Flood floods[] = {{QStringLiteral("p64"), 313, 64}, {QStringLiteral("p1"), 32, 1}};
    for (const Flood &flood : floods) {
        const int requests = flood.repeat * kPackets;
        const QStringList words{QStringLiteral("-c"), QString::number(flood.repeat),
                                QStringLiteral("-f"), QStringLiteral("flood.txt"),
                                QStringLiteral("-p"), QString::number(flood.parallel),
                                QStringLiteral("-r"), QStringLiteral("3"),
                                QStringLiteral("-t"), QStringLiteral("3"),
                                QStringLiteral("-s"), target,
                                QStringLiteral("1"),  server.secret()};
        // Like for like, ours with -M: neither client then adds a Message-Authenticator, which
        // the server checks and answers with one of its own. Ours by default is shown beside.
        std::vector<double> oursRps;
        std::vector<double> oursSignedRps;
        std::vector<double> debianRps;
        for (int round = 0; round < 3; ++round) {
            const double a = timeRun(ours, QStringList{QStringLiteral("-M")} + words, dir.path());
            const double b = timeRun(debian, words, dir.path());
            const double c = timeRun(ours, words, dir.path());
            if (a <= 0 || b <= 0 || c <= 0) {
                std::printf("error: a %s run failed (ours %.3f s, debian %.3f s, ours signed %.3f s)\n",
                            qPrintable(flood.name), a, b, c);
                return 1;
            }
            oursRps.push_back(requests / a);
            debianRps.push_back(requests / b);
            oursSignedRps.push_back(requests / c);
        }
        const double o = median(oursRps);
        const double d = median(debianRps);
        const double signedRps = median(oursSignedRps);
        std::printf("requests_%s: %d\n", qPrintable(flood.name), requests);
        std::printf("ours_rps_%s: %.0f\n", qPrintable(flood.name), o);
        std::printf("debian_rps_%s: %.0f\n", qPrintable(flood.name), d);
        std::printf("ratio_%s: %.3f\n", qPrintable(flood.name), o / d);
        std::printf("ours_message_authenticator_first_rps_%s: %.0f\n", qPrintable(flood.name), signedRps);
        std::printf("ratio_message_authenticator_first_%s: %.3f\n", qPrintable(flood.name), signedRps / d);
    }

    // Ours over each transport, one connection (or socket) and 64 in flight.
    const QStringList common{QStringLiteral("-c"),        QStringLiteral("313"), QStringLiteral("-f"),
                             QStringLiteral("flood.txt"), QStringLiteral("-p"),  QStringLiteral("64"),
                             QStringLiteral("-r"),        QStringLiteral("3"),   QStringLiteral("-t"),
                             QStringLiteral("3"),         QStringLiteral("-s")};
    const QStringList tls{QStringLiteral("-P"),
                          QStringLiteral("tls"),
                          QStringLiteral("--ca"),
                          pki.caFile(),
                          QStringLiteral("--cert"),
                          pki.certificate("client"),
                          QStringLiteral("--key"),
                          pki.key("client"),
                          QStringLiteral("127.0.0.1:%1").arg(server.tlsPort(tlsListener)),
                          QStringLiteral("1"),
                          server.tlsSecret()};
    const QStringList tcp{QStringLiteral("-P"), QStringLiteral("tcp"),
                          QStringLiteral("127.0.0.1:%1").arg(server.tcpPort()), QStringLiteral("1"), server.secret()};
    const QStringList udp{target, QStringLiteral("1"), server.secret()};
    const std::pair<const char *, QStringList> transports[] = {{"udp", udp}, {"tcp", tcp}, {"tls", tls}};
    double udpRps = 0;
    for (const auto &[name, words] : transports) {
        std::vector<double> rps;
        for (int round = 0; round < 3; ++round) {
            const double seconds = timeRun(ours, common + words, dir.path());
            if (seconds <= 0) {
                std::printf("error: a %s run failed\n", name);
                return 1;
            }
            rps.push_back(313.0 * kPackets / seconds);
        }
        const double rate = median(rps);
        if (udpRps == 0)
            udpRps = rate;
        std::printf("ours_rps_%s_p64: %.0f\n", name, rate);
        std::printf("ratio_%s_to_udp_p64: %.3f\n", name, rate / udpRps);
    }

    // -n 500 over 1000 requests: the rate our own summary measures from first send to last reply.
    QByteArray output;
    const QStringList paced{QStringLiteral("-c"), QStringLiteral("1000"),
                            QStringLiteral("-f"), QStringLiteral("one.txt"),
                            QStringLiteral("-n"), QStringLiteral("500"),
                            QStringLiteral("-p"), QStringLiteral("8"),
                            QStringLiteral("-s"), target,
                            QStringLiteral("1"),  server.secret()};
    writeFile(dir.filePath(QStringLiteral("one.txt")), "User-Name = bob\nUser-Password = hello\n\n");
    const double wall = timeRun(ours, paced, dir.path(), &output);
    const auto match = QRegularExpression(QStringLiteral("Total time: ([0-9.]+) s, ([0-9.]+) requests/s"))
                           .match(QString::fromUtf8(output));
    if (wall <= 0 || !match.hasMatch()) {
        std::printf("error: the -n 500 run failed\n%s", output.constData());
        return 1;
    }
    const double rate = match.captured(2).toDouble();
    std::printf("rate_n500_rps: %.1f\n", rate);
    std::printf("rate_error_n: %.2f\n", std::fabs(rate - 500.0) / 500.0 * 100.0);
    return benchEap(pki, server, dir.path()) ? 0 : 1;
}
