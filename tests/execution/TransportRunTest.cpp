// A task's server address and transport settings carry it, through the line Pellion
// builds, to a private FreeRADIUS over TCP, TLS and IPv6.
#include "LaunchLines.h"
#include "execution/ClientLaunch.h"
#include "execution/RunClient.h"
#include "execution/RunFlags.h"
#include "support/SampleTask.h"
#include "support/ServerSuite.h"
#include "support/TempProgramDir.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>

using namespace execution;

namespace {

class TransportRun : public testsupport::ServerSuite {
protected:
    static void SetUpTestSuite()
    {
        startServer(QStringLiteral("testing123"),
                    [](testsupport::FreeRadiusServer &server, const testsupport::TestPki &pki) {
                        server.listenOnIpv6();
                        server.listenOverTcp();
                        server.addTlsListener({0, pki.certificate("server"), pki.key("server"), pki.caFile(), true});
                    });
    }

    void SetUp() override
    {
        ServerSuite::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(QFile::link(PELLION_RADCLIENT, dir.filePath("radclient")));
        ASSERT_TRUE(dir.writeFile("script/42.txt", "User-Name = bob\nUser-Password = hello\n\n"));
    }

    static taskstore::TaskTransport tls(const QString &caFile)
    {
        taskstore::TaskTransport transport;
        transport.Protocol = QStringLiteral("tls");
        transport.CaFile = caFile;
        transport.CertFile = s_pki->certificate("client");
        transport.KeyFile = s_pki->key("client");
        return transport;
    }

    // The client's lines for the task run as Pellion runs it.
    QStringList run(const QString &address, quint16 port, const QString &secret,
                    const taskstore::TaskTransport &transport)
    {
        taskstore::TaskRecord task = testsupport::sampleTask("42");
        task.ServerIP = address;
        task.Port = port;
        task.SecretKey = secret;
        task.ReplyTimeout = 2;
        task.RetryTimes = 0;
        task.Transport = transport;
        const ClientLaunch launch = ClientLaunch::forTask(task);
        return launchLines(launch, flags);
    }

    testsupport::TempProgramDir dir;
    RunFlags flags;
};

TEST_F(TransportRun, EachTransportAndAddressFamilyIsAccepted)
{
    taskstore::TaskTransport tcp;
    tcp.Protocol = QStringLiteral("tcp");
    struct Case {
        const char *name;
        QString address;
        quint16 port;
        QString secret;
        taskstore::TaskTransport transport;
    };
    const Case cases[] = {
        {"udp over ipv6", "::1", s_server->authPort(), s_server->secret(), {}},
        {"tcp", "127.0.0.1", s_server->tcpPort(), s_server->secret(), tcp},
        {"tcp over ipv6", "::1", s_server->tcpPort(), s_server->secret(), tcp},
        {"tls", "127.0.0.1", s_server->tlsPort(0), s_server->tlsSecret(), tls(s_pki->caFile())},
        {"tls over ipv6", "::1", s_server->tlsPort(0), s_server->tlsSecret(), tls(s_pki->caFile())},
    };
    for (const Case &c : cases) {
        const QStringList lines = run(c.address, c.port, c.secret, c.transport);
        EXPECT_FALSE(lines.filter("Info: Received Access-Accept").isEmpty()) << c.name << ":\n"
                                                                             << lines.join('\n').toStdString();
        EXPECT_TRUE(lines.filter("Error:").isEmpty()) << c.name << ":\n" << lines.join('\n').toStdString();
    }
}

TEST_F(TransportRun, AServerCertificateFromAnotherCaEndsInAnError)
{
    const QStringList lines = run("127.0.0.1", s_server->tlsPort(0), s_server->tlsSecret(), tls(s_pki->otherCaFile()));
    EXPECT_FALSE(lines.filter(QRegularExpression("^Error: .*certificate")).isEmpty()) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.filter("Received").isEmpty()) << lines.join('\n').toStdString();
}

} // namespace
