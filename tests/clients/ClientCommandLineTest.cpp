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
    ::testing::Values(WordsCase{"NoWords", false, {}},
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
                      WordsCase{"EapRefusesRate", true, kScript + QStringList{"-n", "5", "127.0.0.1:1812", "1", "s"}},
                      WordsCase{"EapRefusesParallel", true,
                                kScript + QStringList{"-p", "5", "127.0.0.1:1812", "1", "s"}},
                      WordsCase{"SecretFileWithoutName", false, kScript + QStringList{"-S"}},
                      WordsCase{"SecretFileLeavesNoRoomForMoreWords", false,
                                kScript + QStringList{"-S", "f", "127.0.0.1:1812", "1", "-", "t"}},
                      WordsCase{"CheckWithoutSecret", false, QStringList{"-B", "127.0.0.1:1812"}},
                      WordsCase{"CheckTakesNoCode", false, QStringList{"-B", "127.0.0.1:1812", "1", "s"}},
                      WordsCase{"EapClientHasNoCheck", true, QStringList{"-B", "127.0.0.1:1812", "s"}}),
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
