#include "PkiServerSuite.h"
#include "support/ProcessEnd.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>
#include <ostream>

// radeapclient -a mschapv2, tls, peap and ttls against a private FreeRADIUS whose eap
// module offers them with a throwaway PKI.

namespace {

class EapMethods : public PkiServerSuite {
protected:
    static void SetUpTestSuite()
    {
        startServer([](testsupport::FreeRadiusServer &server, const testsupport::TestPki &pki) {
            // A password outside ASCII: the server's UTF-16 must be ours.
            server.addUser({"j\u00f6rg", "Cleartext-Password := \"p\u00e4ssw\u00f6rd\u20ac\""});
            server.setEapTls({pki.certificate("server"), pki.key("server"), pki.caFile()});
        });
    }

    // One try per request, bounded.
    ClientRunner::Result send(const QStringList &methodWords, const QByteArray &script)
    {
        QStringList words = methodWords;
        words << "-sx"
              << "-r"
              << "0"
              << "-t"
              << "5" << QString("127.0.0.1:%1").arg(s_server->authPort()) << "1" << s_server->secret();
        return m_runner.run(ClientRunner::radeapclient(), words, script);
    }

    // -a tls with one of the PKI's certificates and its key, trusting the CA.
    static QStringList tlsWords(const char *certificate, const QString &ca)
    {
        return {"-a",         "tls",
                "--eap-ca",   ca,
                "--eap-cert", s_pki->certificate(certificate),
                "--eap-key",  s_pki->key(certificate)};
    }

    // Whether eapol_test, with this network block, ends in SUCCESS against the server.
    static bool eapolAccepts(const QString &network, bool withoutKeys)
    {
        QTemporaryDir dir;
        QFile config(dir.filePath("eapol.conf"));
        if (!dir.isValid() || !config.open(QIODevice::WriteOnly))
            return false;
        config.write(("network={\nkey_mgmt=IEEE8021X\n" + network + "}\n").toUtf8());
        config.close();
        QStringList arguments{"-c", config.fileName(),  "-a", "127.0.0.1", "-p", QString::number(s_server->authPort()),
                              "-s", s_server->secret(), "-t", "5"};
        if (withoutKeys)
            arguments << "-n"; // EAP-MD5 makes no keys
        QProcess eapol;
        eapol.start(kEapolTest, arguments);
        // Bounded by its own -t.
        return testsupport::awaitCleanExit(eapol);
    }
    static constexpr const char *kEapolTest = "/usr/bin/eapol_test";
};

const QByteArray kBob = "User-Name = bob\nUser-Password = hello\n\n";
const QByteArray kBobWrong = "User-Name = bob\nUser-Password = wrong\n\n";

TEST_F(EapMethods, MsChapV2AcceptsTheRightPasswordWithProofAndKeysAndRejectsAWrongOne)
{
    const auto r = send({"-a", "mschapv2"},
                        kBob + kBobWrong + "User-Name = j\u00f6rg\nUser-Password = p\u00e4ssw\u00f6rd\u20ac\n\n");
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.text().toStdString();
    EXPECT_EQ(r.total("approved"), 2);
    EXPECT_EQ(r.total("denied"), 1);
    for (const char *packet : {"Packet 1", "Packet 3"}) {
        EXPECT_TRUE(r.lines.contains(QString("Info: %1: EAP-MSCHAPv2 success verified").arg(packet)))
            << r.text().toStdString();
        EXPECT_TRUE(r.lines.contains(QString("Info: %1: MPPE keys match the password").arg(packet)));
    }
    // EAP-MD5 proposed and refused, the challenge, the success message.
    for (const char *round : {"1 of 3", "2 of 3", "3 of 3"})
        EXPECT_TRUE(r.lines.contains(QString("Info: Packet 1: Access-Challenge ") + round)) << r.text().toStdString();
    EXPECT_TRUE(r.hasLine("Info: Packet 2: rejected: authentication failure (E=691)")) << r.text().toStdString();
    EXPECT_EQ(r.countContaining("User-Password"), 0) << "the password stays inside EAP";
    EXPECT_EQ(r.countContaining("Error:"), 0);
}

TEST_F(EapMethods, TlsAcceptsTheClientCertificateWithTheSessionsKeys)
{
    const auto r = send(tlsWords("client", s_pki->caFile()), kBob);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.text().toStdString();
    EXPECT_EQ(r.total("approved"), 1);
    EXPECT_TRUE(r.hasLine("Info: Packet 1: TLS: TLSv1.2, ")) << r.text().toStdString();
    EXPECT_TRUE(r.hasLine("Info: Packet 1: server certificate: CN=server.test, valid until "));
    EXPECT_TRUE(r.lines.contains("Info: Packet 1: MPPE keys match the TLS session"));
    EXPECT_TRUE(r.hasLine("\tMS-MPPE-Recv-Key = 0x"));
    EXPECT_EQ(r.countContaining("User-Password"), 0);
    EXPECT_EQ(r.countContaining("Error:"), 0);
}

// A server certificate from another CA is refused before anything is sent inside, and
// the server is told why by the TLS alert; a client certificate the server does not take
// is rejected; --eap-insecure lets the first through with a warning.
TEST_F(EapMethods, TlsRefusesWhatDoesNotChain)
{
    const struct {
        const char *name;
        QStringList words;
        const char *line;
        int approved;
        int exitCode;
        const char *serverLogs; // what the server logs of it, where it matters
    } cases[] = {
        {"server from another CA", tlsWords("client", s_pki->otherCaFile()),
         "Error: Packet 1: TLS handshake failed: certificate verify failed", 0, 1, "Alert read:fatal:unknown CA"},
        {"expired client certificate", tlsWords("expired", s_pki->caFile()), "Info: Received Access-Reject", 0, 0, ""},
        {"not checked",
         {"-a", "tls", "--eap-insecure", "--eap-cert", s_pki->certificate("client"), "--eap-key", s_pki->key("client")},
         "Warning: Packet 1: the server's certificate is not checked (--eap-insecure)",
         1,
         0,
         ""},
    };
    for (const auto &c : cases) {
        const qsizetype logged = s_server->output().size();
        const auto r = send(c.words, kBob);
        ASSERT_TRUE(r.finished) << c.name;
        EXPECT_TRUE(r.hasLine(c.line)) << c.name << "\n" << r.text().toStdString();
        EXPECT_TRUE(s_server->output().mid(logged).contains(QString::fromUtf8(c.serverLogs)))
            << c.name << "\n"
            << s_server->output().mid(logged).toStdString();
        EXPECT_EQ(r.total("approved"), c.approved) << c.name;
        EXPECT_EQ(r.exitCode, c.exitCode) << c.name;
    }
}

// The real name and the password travel only inside the tunnel; the inner method and the
// server's result must both succeed.
TEST_F(EapMethods, PeapAcceptsTheRightPasswordUnderAnAnonymousNameAndRejectsAWrongOne)
{
    const auto r = send({"-a", "peap", "--eap-ca", s_pki->caFile(), "--anonymous", "anonymous"}, kBob + kBobWrong);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.text().toStdString();
    EXPECT_EQ(r.total("approved"), 1);
    EXPECT_EQ(r.total("denied"), 1);
    for (const char *line : {"Info: Packet 1: EAP-MSCHAPv2 success verified", "Info: Packet 1: PEAP result: success",
                             "Info: Packet 1: MPPE keys match the TLS session", "Info: Packet 2: PEAP result: failure",
                             "Error: Packet 2: inner EAP-MSCHAPv2 rejected"})
        EXPECT_TRUE(r.lines.contains(line)) << line << "\n" << r.text().toStdString();
    EXPECT_TRUE(r.hasLine("Info: Packet 1: TLS: TLSv1.2, "));
    EXPECT_TRUE(r.hasLine("\tUser-Name = \"anonymous\""));
    EXPECT_EQ(r.countContaining("bob"), 0) << "the real name stays inside";
    EXPECT_EQ(r.countContaining("User-Password"), 0);
}

// Each inner method: the right password accepted with the session's keys, a wrong one
// rejected and told as the inner method's rejection.
TEST_F(EapMethods, TtlsAcceptsEachInnerMethodWithTheRightPassword)
{
    for (const char *inner : {"pap", "mschapv2", "md5"}) {
        const auto r = send({"-a", "ttls", "--inner", inner, "--eap-ca", s_pki->caFile()}, kBob + kBobWrong);
        ASSERT_TRUE(r.finished) << inner;
        EXPECT_EQ(r.exitCode, 0) << inner << "\n" << r.text().toStdString();
        EXPECT_EQ(r.total("approved"), 1) << inner << "\n" << r.text().toStdString();
        EXPECT_EQ(r.total("denied"), 1) << inner;
        EXPECT_TRUE(r.lines.contains("Info: Packet 1: MPPE keys match the TLS session")) << inner;
        EXPECT_TRUE(r.hasLine("Error: Packet 2: inner ")) << inner;
        if (QByteArray(inner) == "mschapv2") {
            EXPECT_TRUE(r.lines.contains("Info: Packet 1: inner MS-CHAPv2 success verified"));
        }
        EXPECT_EQ(r.countContaining("User-Password"), 0) << inner;
    }
}

// Debian's supplicant test tool, where installed, and our client agree on every method
// for the right and a wrong password (or certificate).
struct CrossCheckCase {
    const char *name;
    QStringList ourWords;
    QString network; // eapol_test's network block, without the password line
};

TEST_F(EapMethods, EapolTestAgreesWithUs)
{
    if (!QFileInfo(kEapolTest).isExecutable())
        GTEST_SKIP() << "eapol_test (package eapoltest) not installed";
    const QString ca = s_pki->caFile();
    const QString tls = QString("ca_cert=\"%1\"\n").arg(ca);
    const CrossCheckCase cases[] = {
        {"md5", {"-a", "md5"}, "eap=MD5\n"},
        {"mschapv2", {"-a", "mschapv2"}, "eap=MSCHAPV2\n"},
        {"peap", {"-a", "peap", "--eap-ca", ca}, "eap=PEAP\nphase2=\"auth=MSCHAPV2\"\n" + tls},
        {"ttls-pap", {"-a", "ttls", "--inner", "pap", "--eap-ca", ca}, "eap=TTLS\nphase2=\"auth=PAP\"\n" + tls},
        {"ttls-mschapv2", {"-a", "ttls", "--eap-ca", ca}, "eap=TTLS\nphase2=\"auth=MSCHAPV2\"\n" + tls},
        {"ttls-md5", {"-a", "ttls", "--inner", "md5", "--eap-ca", ca}, "eap=TTLS\nphase2=\"autheap=MD5\"\n" + tls},
    };
    for (const auto &c : cases) {
        for (const char *password : {"hello", "wrong"}) {
            const QString network = QString("identity=\"bob\"\npassword=\"%1\"\n").arg(password) + c.network;
            const bool theyAccept = eapolAccepts(network, QByteArray(c.name) == "md5");
            const auto r = send(c.ourWords, "User-Name = bob\nUser-Password = " + QByteArray(password) + "\n\n");
            ASSERT_TRUE(r.finished) << c.name;
            EXPECT_EQ(r.total("approved") == 1, theyAccept) << c.name << " " << password << "\n"
                                                            << r.text().toStdString();
            EXPECT_EQ(theyAccept, QByteArray(password) == "hello") << c.name << " " << password;
        }
    }
    // EAP-TLS: a good client certificate and an expired one.
    for (const char *certificate : {"client", "expired"}) {
        const QString network = QString("eap=TLS\nidentity=\"bob\"\nclient_cert=\"%1\"\nprivate_key=\"%2\"\n")
                                    .arg(s_pki->certificate(certificate), s_pki->key(certificate))
            + tls;
        const bool theyAccept = eapolAccepts(network, false);
        const auto r = send(tlsWords(certificate, ca), kBob);
        ASSERT_TRUE(r.finished) << certificate;
        EXPECT_EQ(r.total("approved") == 1, theyAccept) << certificate << "\n" << r.text().toStdString();
        EXPECT_EQ(theyAccept, QByteArray(certificate) == "client") << certificate;
    }
}

} // namespace

namespace {

struct UsageCase {
    const char *name;
    QStringList words;
    const char *error;
};

void PrintTo(const UsageCase &c, std::ostream *os)
{
    *os << c.name;
}

class EapUsage : public ::testing::TestWithParam<UsageCase> {};

// Options a method does not use, or a method without what it needs, end in a usage error.
TEST_P(EapUsage, IsRefusedWithTheReason)
{
    const UsageCase &c = GetParam();
    ClientRunner runner;
    const auto r = runner.runWords(ClientRunner::radeapclient(),
                                   QStringList{"-f", "none.txt"} + c.words + QStringList{"127.0.0.1:1812", "1", "s"});
    EXPECT_EQ(r.exitCode, 2) << r.text().toStdString();
    EXPECT_TRUE(r.lines.contains(QString("Error: ") + c.error)) << r.text().toStdString();
    EXPECT_TRUE(r.hasLine("  --eap-ca file")) << "the usage text follows";
}

INSTANTIATE_TEST_SUITE_P(
    Clients, EapUsage,
    ::testing::Values(
        UsageCase{"UnknownMethod", {"-a", "leap"}, "bad value for -a: leap"},
        UsageCase{"TlsWithoutCertificate",
                  {"-a", "tls", "--eap-ca", "ca.pem"},
                  "-a tls needs a client certificate (--eap-cert)"},
        UsageCase{"AnonymousWithMd5", {"-a", "md5", "--anonymous=anon"}, "--anonymous needs -a peap or -a ttls"},
        UsageCase{"InnerWithPeap",
                  {"-a", "peap", "--inner", "pap"},
                  "--inner needs -a ttls (PEAP's inner method is EAP-MSCHAPv2)"},
        UsageCase{"BadInner", {"-a", "ttls", "--inner=chap"}, "bad value for --inner: chap (pap, mschapv2 or md5)"},
        UsageCase{"CaWithoutTls",
                  {"-a", "mschapv2", "--eap-ca", "ca.pem"},
                  "--eap-ca, --eap-insecure and --eap-cert need -a peap, ttls or tls"},
        UsageCase{"InsecureWithoutMethod",
                  {"--eap-insecure"},
                  "--eap-ca, --eap-insecure and --eap-cert need -a peap, ttls or tls"},
        UsageCase{"CaAndInsecure",
                  {"-a", "peap", "--eap-ca=ca.pem", "--eap-insecure"},
                  "--eap-ca and --eap-insecure exclude each other"},
        UsageCase{"KeyWithoutCertificate", {"-a", "ttls", "--eap-key", "k.pem"}, "--eap-key needs --eap-cert"},
        UsageCase{"EmptyValue", {"-a", "ttls", "--anonymous="}, "empty value for --anonymous"},
        UsageCase{"InsecureWithValue", {"-a", "ttls", "--eap-insecure=yes"}, "--eap-insecure takes no value"}),
    [](const ::testing::TestParamInfo<UsageCase> &param) { return std::string(param.param.name); });

} // namespace
