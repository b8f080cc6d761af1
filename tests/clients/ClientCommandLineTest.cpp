#include "ClientRunner.h"

#include <gtest/gtest.h>

#include <ostream>

// Command lines and packet files that must be refused before anything is sent.

namespace {

struct WordsCase {
    const char *name;
    bool eap;
    QStringList words;
};

void PrintTo(const WordsCase &c, std::ostream *os)
{
    *os << c.name;
}

class BadCommandLine : public ::testing::TestWithParam<WordsCase> {};

TEST_P(BadCommandLine, PrintsUsageAndExitsWithTwo)
{
    ClientRunner runner;
    const WordsCase &c = GetParam();
    const auto result = runner.runWords(c.eap ? ClientRunner::radeapclient() : ClientRunner::radclient(), c.words);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 2) << result.text().toStdString();
    EXPECT_TRUE(result.hasLine("Usage:")) << result.text().toStdString();
    EXPECT_TRUE(result.hasLine("Error:"));
    EXPECT_FALSE(result.hasLine("Sent "));
    EXPECT_TRUE(result.allLinesEndInCrLf());
}

const QStringList kScript{"-f", "script/none.txt"};

INSTANTIATE_TEST_SUITE_P(
    Clients, BadCommandLine,
    ::testing::Values(
        WordsCase{"NoWords", false, {}},
        WordsCase{"UnknownOption", false, kScript + QStringList{"-z", "127.0.0.1:1812", "1", "s"}},
        WordsCase{"MissingValue", false, QStringList{"127.0.0.1:1812", "1", "s", "-c"}},
        WordsCase{"BadRepeat", false, kScript + QStringList{"-c", "x", "127.0.0.1:1812", "1", "s"}},
        WordsCase{"NoScript", false, QStringList{"127.0.0.1:1812", "1", "s"}},
        WordsCase{"MissingSecret", false, kScript + QStringList{"127.0.0.1:1812", "1"}},
        WordsCase{"ExtraWord", false, kScript + QStringList{"127.0.0.1:1812", "1", "s", "t"}},
        WordsCase{"CodeNotANumber", false, kScript + QStringList{"127.0.0.1:1812", "auth", "s"}},
        WordsCase{"CodeTooLarge", false, kScript + QStringList{"127.0.0.1:1812", "256", "s"}},
        WordsCase{"PortTooLarge", false, kScript + QStringList{"127.0.0.1:65536", "1", "s"}},
        WordsCase{"NoPort", false, kScript + QStringList{"127.0.0.1", "1", "s"}},
        WordsCase{"UnknownTransport", false, kScript + QStringList{"-P", "sctp", "127.0.0.1:1812", "1", "s"}},
        WordsCase{"CaWithoutTls", false, kScript + QStringList{"--ca", "ca.pem", "127.0.0.1:1812", "1", "s"}},
        WordsCase{"KeyWithoutCert", false,
                  kScript + QStringList{"-P", "tls", "--key", "k.pem", "127.0.0.1:2083", "1", "s"}},
        WordsCase{"CaWithoutFile", false, kScript + QStringList{"-P", "tls", "--ca"}},
        WordsCase{"CaWithEmptyFile", true, kScript + QStringList{"-P", "tls", "--ca=", "127.0.0.1:2083", "1"}},
        WordsCase{"UnknownLongOption", false, kScript + QStringList{"--verbose", "127.0.0.1:1812", "1", "s"}},
        WordsCase{"MissingSecretOverTcp", false, kScript + QStringList{"-P", "tcp", "127.0.0.1:1812", "1"}},
        WordsCase{"Ipv6WithoutClosingBracket", false, kScript + QStringList{"[::1:1812", "1", "s"}},
        WordsCase{"SecretFileWithoutName", false, kScript + QStringList{"-S"}},
        WordsCase{"SecretFileLeavesNoRoomForMoreWords", false,
                  kScript + QStringList{"-S", "f", "127.0.0.1:1812", "1", "-", "t"}},
        WordsCase{"CheckWithoutSecret", false, QStringList{"-B", "127.0.0.1:1812"}},
        WordsCase{"CheckTakesNoCode", false, QStringList{"-B", "127.0.0.1:1812", "1", "s"}},
        WordsCase{"EapClientHasNoCheck", true, QStringList{"-B", "127.0.0.1:1812", "s"}},
        WordsCase{"EapRefusesRate", true, kScript + QStringList{"-n", "5", "127.0.0.1:1812", "1", "s"}},
        WordsCase{"EapRefusesParallel", true, kScript + QStringList{"-p", "5", "127.0.0.1:1812", "1", "s"}}),
    [](const ::testing::TestParamInfo<WordsCase> &param) { return std::string(param.param.name); });

struct ScriptCase {
    const char *name;
    QByteArray script; // empty name of file: the file is not written
    bool writeFile;
    const char *expected; // part of the Error: line
};

void PrintTo(const ScriptCase &c, std::ostream *os)
{
    *os << c.name;
}

class BadPacketFile : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(BadPacketFile, NamesFileAndLineAndSendsNothing)
{
    ClientRunner runner;
    const ScriptCase &c = GetParam();
    QStringList words{"-f", "script/bad.txt", "-sx", "127.0.0.1:9", "1", "secret"};
    if (c.writeFile)
        runner.dir().writeFile("script/bad.txt", c.script);
    const auto result = runner.runWords(ClientRunner::radclient(), words);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.hasLine("Error:")) << result.text().toStdString();
    EXPECT_TRUE(result.hasLine("script/bad.txt")) << result.text().toStdString();
    EXPECT_TRUE(result.hasLine(c.expected)) << result.text().toStdString();
    EXPECT_FALSE(result.hasLine("Sent "));
    EXPECT_TRUE(result.allLinesEndInCrLf());
}

INSTANTIATE_TEST_SUITE_P(
    Clients, BadPacketFile,
    ::testing::Values(ScriptCase{"Missing", {}, false, "No such file"}, ScriptCase{"Empty", {}, true, "no packets"},
                      ScriptCase{"OnlyComments", "# nothing\r\n\r\n", true, "no packets"},
                      ScriptCase{"UnknownAttribute", "User-Name = bob\r\n\r\nNo-Such-Attr = 1\r\n\r\n", true, "line 3"},
                      ScriptCase{"MissingValue", "User-Name = bob\r\nUser-Password =\r\n\r\n", true, "line 2"},
                      ScriptCase{"BlankLineOfSpaces", "User-Name = bob\r\n   \r\n\r\n", true, "line 2"},
                      ScriptCase{"IndentedComment", "User-Name = bob\r\n  # late comment\r\n\r\n", true, "line 2"},
                      ScriptCase{"BadInteger", "User-Name = bob\r\nNAS-Port = many\r\n\r\n", true, "line 2"}),
    [](const ::testing::TestParamInfo<ScriptCase> &param) { return std::string(param.param.name); });

struct AddressCase {
    const char *name;
    QStringList words; // before the code
    const char *code;
    const char *target; // as the first line shows it
};

void PrintTo(const AddressCase &c, std::ostream *os)
{
    *os << c.name;
}

class ServerAddressWords : public ::testing::TestWithParam<AddressCase> {};

// An IPv6 address alone cannot carry a port: it gets the code's standard one.
TEST_P(ServerAddressWords, NamesTheServerItSendsTo)
{
    ClientRunner runner;
    const AddressCase &c = GetParam();
    const auto result = runner.run(ClientRunner::radclient(),
                                   QStringList{"-r", "0", "-t", "0.2"} + c.words + QStringList{c.code, "secret"},
                                   "User-Name = bob\r\n\r\n");
    ASSERT_TRUE(result.finished);
    ASSERT_FALSE(result.lines.isEmpty());
    EXPECT_EQ(result.lines.first(), QString("Info: radclient: 1 packet(s) x 1 to ") + c.target)
        << result.text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Clients, ServerAddressWords,
                         ::testing::Values(AddressCase{"BracketsAndPort", {"[::1]:1645"}, "1", "[::1]:1645"},
                                           AddressCase{"BareIpv6Auth", {"::1"}, "1", "[::1]:1812"},
                                           AddressCase{"BareIpv6Accounting", {"::1"}, "4", "[::1]:1813"},
                                           AddressCase{"BracketsWithoutPortCoa", {"[::1]"}, "43", "[::1]:3799"},
                                           AddressCase{"BareIpv6OverTls", {"-P", "tls", "::1"}, "4", "[::1]:2083"},
                                           AddressCase{"Ipv4KeepsItsPort", {"127.0.0.1:1645"}, "1", "127.0.0.1:1645"}),
                         [](const ::testing::TestParamInfo<AddressCase> &param) {
                             return std::string(param.param.name);
                         });

TEST(ClientPacketFile, NoCodeNeedsPacketTypeInEveryPacket)
{
    ClientRunner runner;
    const auto result = runner.run(ClientRunner::radclient(), {"-s", "127.0.0.1:9", "-1", "secret"},
                                   "Packet-Type = Access-Request\r\nUser-Name = a\r\n\r\nUser-Name = b\r\n\r\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.hasLine("Error: Packet file script/test.txt line 4: packet 2 sets no Packet-Type"))
        << result.text().toStdString();
    EXPECT_FALSE(result.hasLine("Sent "));
}

} // namespace
