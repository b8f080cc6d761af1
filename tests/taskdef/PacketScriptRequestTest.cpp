#include "radius/Dictionary.h"
#include "support/TempProgramDir.h"
#include "taskdef/RequestReader.h"

#include <gtest/gtest.h>

using namespace taskdef;
using testsupport::TempProgramDir;

namespace {

class RequestReaderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const auto loaded = radius::Dictionary::load(TempProgramDir::sourceDataDir() + "/dictionary");
        ASSERT_TRUE(loaded.ok()) << loaded.error().toStdString();
    }
    RequestReader::Outcome readText(const QByteArray &content)
    {
        EXPECT_TRUE(dir.writeFile("script/9.txt", content));
        return RequestReader::read(dir.filePath("script/9.txt"));
    }
    TempProgramDir dir;
};

TEST_F(RequestReaderTest, RecordsCarryNumberFileAndFreshAuthenticators)
{
    const auto out = readText("User-Name = bob\r\n\r\nUser-Name = eve\r\n\r\n");
    ASSERT_EQ(out.records.size(), 2u);
    EXPECT_TRUE(out.error.isEmpty());
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(out.records[i].number, i + 1);
        EXPECT_EQ(out.records[i].fileName, dir.filePath("script/9.txt"));
        EXPECT_EQ(out.records[i].packet.code(), 0u);
        EXPECT_EQ(out.records[i].packet.id(), -1);
        EXPECT_EQ(out.records[i].packet.dstPort(), 0);
    }
    EXPECT_NE(out.records[0].packet.authenticator(), out.records[1].packet.authenticator());
    EXPECT_NE(out.records[0].packet.authenticator(), QByteArray(16, '\0'));
}

TEST_F(RequestReaderTest, SpecialAttributesSetCodePortAndFoldDigests)
{
    const auto out = readText(
        "Packet-Type = Accounting-Request\nPacket-Dst-Port = 0x10714\n"
        "Digest-Realm = r\nUser-Name = bob\nDigest-User-Name = \"ab\"\n\n"
        "User-Name = other\n\n");
    ASSERT_EQ(out.records.size(), 2u);
    const RequestRecord &first = out.records[0];
    EXPECT_EQ(first.packet.code(), 4u);
    EXPECT_EQ(first.packet.dstPort(), 0x0714);
    const radius::PairList &pairs = first.packet.pairs();
    ASSERT_EQ(pairs.size(), 5);
    EXPECT_EQ(pairs.at(2).attribute.name, "Digest-Attributes");
    EXPECT_EQ(pairs.at(2).octets.toHex(), "010372");
    EXPECT_EQ(pairs.at(3).attribute.name, "User-Name");
    EXPECT_EQ(pairs.at(4).octets.toHex(), "0a046162");
    // The code is that packet's alone.
    EXPECT_EQ(out.records[1].packet.code(), 0u);
}

TEST_F(RequestReaderTest, SavesUserPasswordElseChapPassword)
{
    const auto out = readText(
        "User-Name = a, CHAP-Password = chap, User-Password = \"pw 1\"\n\n"
        "CHAP-Password = secret\n\nUser-Name = b\n\n");
    ASSERT_EQ(out.records.size(), 3u);
    EXPECT_EQ(out.records[0].password, "pw 1");
    EXPECT_EQ(out.records[1].password, "secret");
    EXPECT_EQ(out.records[2].password, "");
}

TEST_F(RequestReaderTest, UnknownNameOrBadValueEndsTheReadingKeepingEarlierPackets)
{
    auto out = readText("User-Name = a\n\nUser-Name = b\nNo-Such-Attr = 1\n\nUser-Name = c\n\n");
    ASSERT_EQ(out.records.size(), 1u);
    EXPECT_TRUE(out.error.contains("No-Such-Attr")) << out.error.toStdString();

    out = readText("Framed-IP-Address = 10.0.0.1\n\nNAS-Port = many\n\nUser-Name = c\n\n");
    EXPECT_EQ(out.records.size(), 1u);
    EXPECT_FALSE(out.error.isEmpty());

    out = readText("  # indented\nUser-Name = a\n\n");
    EXPECT_TRUE(out.records.empty());
    EXPECT_EQ(out.error, "Read a comment instead of a token");
}

TEST_F(RequestReaderTest, EscapesReachTheLibraryDecoded)
{
    const auto out = readText("Reply-Message = abc\\#123, Class = \\101\\377\n\n");
    ASSERT_EQ(out.records.size(), 1u);
    EXPECT_EQ(out.records[0].packet.pairs().at(0).octets, "abc#123");
    EXPECT_EQ(out.records[0].packet.pairs().at(1).octets.toHex(), "41ff");
}

TEST_F(RequestReaderTest, MissingFileGivesTheOpeningError)
{
    const auto out = RequestReader::read(dir.filePath("script/none.txt"));
    EXPECT_TRUE(out.records.empty());
    EXPECT_TRUE(out.error.startsWith("Error opening script file " + dir.filePath("script/none.txt") + ": "))
        << out.error.toStdString();
}

} // namespace
