#include "LoopbackPort.h"
#include "PkiServerSuite.h"
#include "SimPacket.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Our clients over TCP, TLS and IPv6 against one private FreeRADIUS server with UDP, TCP
// and TLS listeners on 127.0.0.1 and ::1, and TLS listeners whose certificates must be
// refused.

namespace {

enum TlsListener : std::size_t { kGood, kExpired, kWrongName, kTls12 };

class Transport : public PkiServerSuite {
protected:
    static void SetUpTestSuite()
    {
        startServer([](testsupport::FreeRadiusServer &server, const testsupport::TestPki &pki) {
            server.listenOnIpv6();
            server.listenOverTcp();
            for (const char *name : {"server", "expired", "wrongname"})
                server.addTlsListener({0, pki.certificate(name), pki.key(name), pki.caFile(), true});
            server.addTlsListener(
                {0, pki.certificate("server"), pki.key("server"), pki.caFile(), true, QStringLiteral("1.2")});
        });
    }

    static QString at(const char *host, quint16 port) { return QString("%1:%2").arg(host).arg(port); }
    // The client's side of the good PKI.
    static QStringList trusted()
    {
        return {"-P",     "tls",
                "--ca",   s_pki->caFile(),
                "--cert", s_pki->certificate("client"),
                "--key",  s_pki->key("client")};
    }
};

const QByteArray kBobAndWrong =
    "User-Name = bob\r\nUser-Password = hello\r\n\r\n"
    "User-Name = bob\r\nUser-Password = wrong\r\n\r\n";

struct ExchangeCase {
    const char *name;
    bool eap;
    char transport;   // 'u' UDP, 't' TCP, 's' TLS
    const char *host; // "127.0.0.1" or "[::1]"
    int code;
    QByteArray script;
    int approved;
    int denied;
};

void PrintTo(const ExchangeCase &c, std::ostream *os)
{
    *os << c.name;
}

class TransportExchange : public Transport, public ::testing::WithParamInterface<ExchangeCase> {};

TEST_P(TransportExchange, GetsEveryReply)
{
    const ExchangeCase &c = GetParam();
    QStringList words{"-sx", "-r", "0", "-t", "5"};
    QString secret = s_server->secret();
    quint16 port = c.code == 4 ? s_server->acctPort() : s_server->authPort();
    if (c.transport == 't') {
        words << "-P"
              << "tcp";
        port = s_server->tcpPort();
    } else if (c.transport == 's') {
        words << trusted();
        secret = s_server->tlsSecret();
        port = s_server->tlsPort(kGood);
    }
    words << at(c.host, port) << QString::number(c.code) << secret;
    const auto r = m_runner.run(c.eap ? ClientRunner::radeapclient() : ClientRunner::radclient(), words, c.script);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.total("approved"), c.approved) << r.text().toStdString();
    EXPECT_EQ(r.total("denied"), c.denied);
    EXPECT_EQ(r.total("lost"), 0);
    EXPECT_FALSE(r.hasLine("Error:"));
    EXPECT_FALSE(r.hasLine("Warning:"));
    EXPECT_EQ(r.exitCode, 0);
    // One connection carries every exchange of the run.
    EXPECT_EQ(r.countContaining("Info: Connected to "), c.transport == 'u' ? 0 : 1);
    if (c.transport == 's') {
        EXPECT_TRUE(r.hasLine("over TLS (TLSv1.3, ")) << r.text().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Clients, TransportExchange,
    ::testing::Values(
        ExchangeCase{"TlsPap", false, 's', "127.0.0.1", 1, kBobAndWrong, 1, 1},
        ExchangeCase{"TlsPapOverIpv6", false, 's', "[::1]", 1, kBobAndWrong, 1, 1},
        ExchangeCase{"TlsChap", false, 's', "127.0.0.1", 1, "User-Name = bob\r\nCHAP-Password = hello\r\n\r\n", 1, 0},
        ExchangeCase{"TlsAccounting", false, 's', "127.0.0.1", 4,
                     "User-Name = bob\r\nAcct-Status-Type = Start\r\nAcct-Session-Id = 42\r\n\r\n", 1, 0},
        ExchangeCase{"TlsEapMd5", true, 's', "127.0.0.1", 1,
                     "User-Name = bob\r\nEAP-MD5-Password = hello\r\n\r\n"
                     "User-Name = bob\r\nEAP-MD5-Password = nope\r\n\r\n",
                     1, 1},
        ExchangeCase{"TlsEapSim", true, 's', "[::1]", 1, simPacket("simuser"), 1, 0},
        ExchangeCase{"TcpPap", false, 't', "127.0.0.1", 1, kBobAndWrong, 1, 1},
        ExchangeCase{"TcpPapOverIpv6", false, 't', "[::1]", 1, kBobAndWrong, 1, 1},
        ExchangeCase{"TcpAccounting", false, 't', "127.0.0.1", 4,
                     "User-Name = bob\r\nAcct-Status-Type = Stop\r\nAcct-Session-Id = 42\r\n\r\n", 1, 0},
        ExchangeCase{"UdpPapOverIpv6", false, 'u', "[::1]", 1, kBobAndWrong, 1, 1},
        ExchangeCase{"UdpEapMd5OverIpv6", true, 'u', "[::1]", 1, "User-Name = bob\r\nEAP-MD5-Password = hello\r\n\r\n",
                     1, 0},
        ExchangeCase{"UdpAccountingOverIpv6", false, 'u', "[::1]", 4,
                     "User-Name = bob\r\nAcct-Status-Type = Start\r\nAcct-Session-Id = 43\r\n\r\n", 1, 0}),
    [](const ::testing::TestParamInfo<ExchangeCase> &param) { return std::string(param.param.name); });

TEST_F(Transport, TlsTakesRadsecAsTheSecretWhenNoneIsGiven)
{
    const auto r = m_runner.run(ClientRunner::radclient(),
                                QStringList{"-s", "-r", "0", "-t", "5"} + trusted()
                                    + QStringList{at("127.0.0.1", s_server->tlsPort(kGood)), "1"},
                                "User-Name = bob\r\nUser-Password = hello\r\n\r\n");
    EXPECT_EQ(r.total("approved"), 1) << r.text().toStdString();
    EXPECT_EQ(r.exitCode, 0);
}

TEST_F(Transport, TlsOneTwoServerIsSpokenTo)
{
    const auto r = m_runner.run(ClientRunner::radclient(),
                                QStringList{"-s", "-r", "0", "-t", "5"} + trusted()
                                    + QStringList{at("127.0.0.1", s_server->tlsPort(kTls12)), "1"},
                                kBobAndWrong);
    EXPECT_TRUE(r.hasLine("over TLS (TLSv1.2, ")) << r.text().toStdString();
    EXPECT_EQ(r.total("approved"), 1);
    EXPECT_EQ(r.total("denied"), 1);
}

TEST_F(Transport, ManyRequestsInFlightShareOneConnection)
{
    // 512 requests, 64 at a time: identifiers wrap twice while replies come back in bursts
    // that one read cuts into several packets.
    QByteArray script;
    for (int i = 0; i < 64; ++i)
        script += "User-Name = bob\r\nUser-Password = hello\r\nNAS-Port = " + QByteArray::number(i) + "\r\n\r\n";
    for (const bool overTls : {false, true}) {
        const QStringList transport = overTls ? trusted() : QStringList{"-P", "tcp"};
        const quint16 port = overTls ? s_server->tlsPort(kGood) : s_server->tcpPort();
        const QString secret = overTls ? s_server->tlsSecret() : s_server->secret();
        const auto r = m_runner.run(ClientRunner::radclient(),
                                    QStringList{"-s", "-c", "8", "-p", "64", "-r", "0", "-t", "10"} + transport
                                        + QStringList{at("127.0.0.1", port), "1", secret},
                                    script);
        EXPECT_EQ(r.total("approved"), 512) << r.text().toStdString();
        EXPECT_EQ(r.countContaining("Info: Connected to "), 1);
        EXPECT_EQ(r.exitCode, 0);
    }
}

struct RefusalCase {
    const char *name;
    TlsListener listener;
    bool otherCa;
    bool clientCertificate;
    const char *reason; // in the Error: line
};

void PrintTo(const RefusalCase &c, std::ostream *os)
{
    *os << c.name;
}

class TlsRefusal : public Transport, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(TlsRefusal, EndsWithAnErrorLineSayingWhy)
{
    const RefusalCase &c = GetParam();
    QStringList words{
        "-s", "-r", "0", "-t", "5", "-P", "tls", "--ca", c.otherCa ? s_pki->otherCaFile() : s_pki->caFile()};
    if (c.clientCertificate)
        words << "--cert" << s_pki->certificate("client") << "--key" << s_pki->key("client");
    words << at("127.0.0.1", s_server->tlsPort(c.listener)) << "1";
    const auto r = m_runner.run(ClientRunner::radclient(), words, "User-Name = bob\r\nUser-Password = hello\r\n\r\n");
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 1) << r.text().toStdString();
    EXPECT_EQ(r.countContaining("Error: "), 1) << r.text().toStdString();
    EXPECT_TRUE(r.hasLine(c.reason)) << r.text().toStdString();
    EXPECT_FALSE(r.hasLine("Received "));
    EXPECT_EQ(r.total("approved"), 0);
    EXPECT_TRUE(r.allLinesEndInCrLf());
    // Refused at once, not after waiting for a reply.
    EXPECT_LT(r.seconds, 4.0);
}

INSTANTIATE_TEST_SUITE_P(
    Clients, TlsRefusal,
    ::testing::Values(RefusalCase{"WrongCa", kGood, true, true,
                                  "failed: certificate verify failed: self-signed certificate in certificate chain"},
                      RefusalCase{"ExpiredServerCertificate", kExpired, false, true,
                                  "certificate verify failed: certificate has expired"},
                      RefusalCase{"WrongNameServerCertificate", kWrongName, false, true,
                                  "certificate verify failed: IP address mismatch"},
                      RefusalCase{
                          "NoClientCertificate", kGood, false, false,
                          "broke: the server closed the connection (we offered no client certificate: --cert)"}),
    [](const ::testing::TestParamInfo<RefusalCase> &param) { return std::string(param.param.name); });

TEST_F(Transport, StreamRequestIsSentOnceAndLostAfterTheTimeOut)
{
    // A connection the kernel takes but nobody reads: the request is delivered, no reply comes.
    LoopbackPort deaf(SOCK_STREAM);
    ASSERT_TRUE(deaf.isBound() && deaf.listen());
    const auto r = m_runner.run(ClientRunner::radclient(),
                                {"-s", "-P", "tcp", "-r", "3", "-t", "0.3", deaf.address(), "1", "s3cret"},
                                "User-Name = bob\r\nUser-Password = hello\r\n\r\n");
    EXPECT_EQ(r.countContaining("Info: Sent "), 1) << r.text().toStdString();
    EXPECT_EQ(r.countContaining("sending again"), 0);
    EXPECT_TRUE(
        r.hasLine("Error: No reply to Access-Request Id 0 to " + deaf.address() + " after 1 attempt, request lost"));
    EXPECT_EQ(r.total("lost"), 1);
    EXPECT_EQ(r.exitCode, 1);
}

TEST_F(Transport, ConnectionRefusedIsAnErrorLine)
{
    const LoopbackPort unlistened(SOCK_STREAM);
    ASSERT_TRUE(unlistened.isBound());
    const QString closed = unlistened.address();
    for (const char *transport : {"tcp", "tls"}) {
        const auto r = m_runner.run(ClientRunner::radclient(), {"-s", "-P", transport, closed, "1", "s3cret"},
                                    "User-Name = bob\r\nUser-Password = hello\r\n\r\n");
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.hasLine(QString("Error: Cannot connect to %1 over %2: Connection refused")
                                  .arg(closed, QString(transport).toUpper())))
            << r.text().toStdString();
    }
}

} // namespace
