#include "ServerSuite.h"
#include "SimPacket.h"

#include <ostream>

namespace {

// The attribute lines shown under each request sent.
std::vector<QStringList> requestBlocks(const QStringList &lines)
{
    std::vector<QStringList> blocks;
    bool inRequest = false;
    for (const QString &line : lines) {
        if (!line.startsWith('\t')) {
            inRequest = line.startsWith("Info: Sent ");
            if (inRequest)
                blocks.emplace_back();
        } else if (inRequest) {
            blocks.back() << line;
        }
    }
    return blocks;
}

struct EapCase {
    const char *name;
    QByteArray script;
    int approved;
    int denied;
};

void PrintTo(const EapCase &c, std::ostream *os)
{
    *os << c.name;
}

class Radeapclient : public ServerSuite, public ::testing::WithParamInterface<EapCase> {};

TEST_P(Radeapclient, AuthenticatesAgainstTheServer)
{
    const EapCase &c = GetParam();
    const auto r =
        m_runner.run(ClientRunner::radeapclient(), {"-sx", "-r", "1", "-t", "3", auth(), "1", secret()}, c.script);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.total("approved"), c.approved) << r.text().toStdString();
    EXPECT_EQ(r.total("denied"), c.denied);
    EXPECT_EQ(r.total("lost"), 0);
    EXPECT_EQ(r.total("failed"), 0);
    EXPECT_TRUE(r.hasLine("Info: Received Access-Challenge"));
    // EAP-MD5 and EAP-SIM write no lines of their rounds, as they never did.
    EXPECT_EQ(r.countContaining("Info: Packet "), 0) << r.text().toStdString();
    // Every request carries EAP and a Message-Authenticator; the password stays inside EAP.
    const auto requests = requestBlocks(r.lines);
    ASSERT_GE(requests.size(), 2u);
    for (const QStringList &block : requests) {
        EXPECT_EQ(block.filter("\tMessage-Authenticator = ").size(), 1) << block.join("\n").toStdString();
        EXPECT_GE(block.filter("\tEAP-Message = ").size(), 1);
        EXPECT_TRUE(block.filter("\tUser-Password").isEmpty());
    }
    EXPECT_TRUE(r.allLinesEndInCrLf());
}

INSTANTIATE_TEST_SUITE_P(
    Methods, Radeapclient,
    ::testing::Values(EapCase{"Md5WithEapMd5Password", "User-Name = bob\r\nEAP-MD5-Password = hello\r\n\r\n", 1, 0},
                      EapCase{"Md5WithUserPassword", "User-Name = bob\r\nUser-Password = hello\r\n\r\n", 1, 0},
                      EapCase{"Md5WrongPassword", "User-Name = bob\r\nEAP-MD5-Password = wrong\r\n\r\n", 0, 1},
                      EapCase{"Md5TwoPacketsInOrder",
                              "User-Name = bob\r\nEAP-MD5-Password = hello\r\n\r\n"
                              "User-Name = bob\r\nEAP-MD5-Password = nope\r\n\r\n",
                              1, 1},
                      EapCase{"Sim", simPacket("simuser"), 1, 0},
                      EapCase{"SimWrongSres", simPacket("simuser", true), 0, 1}),
    [](const ::testing::TestParamInfo<EapCase> &param) { return std::string(param.param.name); });

class RadeapclientRun : public ServerSuite {};

TEST_F(RadeapclientRun, RepeatAndIdentifiersSpanEveryExchange)
{
    const auto r = m_runner.run(ClientRunner::radeapclient(), {"-s", "-c", "2", "-i", "255", auth(), "1", secret()},
                                "User-Name = bob\r\nEAP-MD5-Password = hello\r\n\r\n");
    EXPECT_EQ(r.total("sent"), 2) << r.text().toStdString();
    EXPECT_EQ(r.total("approved"), 2);
    // Identity and MD5 response for each authentication: four requests, 255 then 0, 1, 2.
    EXPECT_EQ(r.total("exchanges"), 4);
    EXPECT_TRUE(r.hasLine("Sent Access-Request Id 255 "));
    EXPECT_TRUE(r.hasLine("Sent Access-Request Id 2 "));
}

TEST_F(RadeapclientRun, StatusServerGoesOutPlainWithMessageAuthenticator)
{
    const auto r = m_runner.run(ClientRunner::radeapclient(), {"-sx", "-t", "3", auth(), "12", secret()},
                                "NAS-Identifier = probe\r\n\r\n");
    EXPECT_TRUE(r.hasLine("Info: Received Access-Accept")) << r.text().toStdString();
    EXPECT_EQ(r.total("approved"), 1);
    EXPECT_FALSE(r.hasLine("EAP-Message"));
}

struct SimFaultCase {
    const char *name;
    const char *from; // changed in the client's packet only
    const char *to;
    const char *error;
};

void PrintTo(const SimFaultCase &c, std::ostream *os)
{
    *os << c.name;
}

class RadeapclientSimFault : public ServerSuite, public ::testing::WithParamInterface<SimFaultCase> {};

TEST_P(RadeapclientSimFault, StopsWithAnErrorBeforeAnswering)
{
    const SimFaultCase &c = GetParam();
    QByteArray script = simPacket("simuser");
    script.replace(c.from, c.to);
    const auto r = m_runner.run(ClientRunner::radeapclient(), {"-s", "-t", "3", auth(), "1", secret()}, script);
    EXPECT_TRUE(r.hasLine(QString("Error: Packet 1: ") + c.error)) << r.text().toStdString();
    EXPECT_EQ(r.total("failed"), 1);
    EXPECT_EQ(r.total("approved"), 0);
    EXPECT_EQ(r.exitCode, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Sim, RadeapclientSimFault,
    ::testing::Values(SimFaultCase{"NoTripletForRand", "0x1011121314", "0x9991121314", "EAP-SIM Challenge with a RAND"},
                      // Another Kc gives other keys, so the server's AT_MAC must not verify.
                      SimFaultCase{"WrongKc", "0xa0a2a2a3", "0xa0a2a2a4", "EAP-SIM Challenge AT_MAC does not verify"}),
    [](const ::testing::TestParamInfo<SimFaultCase> &param) { return std::string(param.param.name); });

} // namespace
