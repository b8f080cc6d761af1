#include "reports/RawPacketText.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using reports::RawPacketText;

TEST(RawPacketText, FigureIsThirteenLinesAndAnEmptyOneAfterTheTitle)
{
    const QStringList figure = RawPacketText::figure();
    ASSERT_EQ(figure.size(), 14);
    EXPECT_EQ(figure[0], "  RADIUS Data Format(The fields are transmitted from left to right):");
    EXPECT_EQ(figure[1], "");
    const QString border = "   +-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+";
    EXPECT_EQ(figure[4], border);
    EXPECT_EQ(figure[6], border);
    EXPECT_EQ(figure[11], border);
    EXPECT_EQ(figure[5], "   |     Code      |  Identifier   |            Length             |");
    EXPECT_EQ(figure[8], "   |                         Authenticator                         |");
    for (int blank : {7, 9, 10})
        EXPECT_EQ(figure[blank], "   |" + QString(63, ' ') + "|");
    EXPECT_EQ(figure[13], "   +-+-+-+-+-+-+-+-+-+-+-+-+-");
}

TEST(RawPacketText, BlockSplitsThePacketIntoItsFields)
{
    const QByteArray packet = QByteArray::fromHex(
        "04fe001a"
        "00112233445566778899aabbccddeeff"
        "2c0661626364");
    const QStringList golden = {
        "Packet0  :",
        "0x04fe001a00112233445566778899aabbccddeeff2c0661626364",
        "   " + QString(94, '-'),
        "   Code          : 0x04",
        "   Identifier    : 0xfe",
        "   Length        : 0x001a",
        "   Authenticator : 0x00112233445566778899aabbccddeeff",
        "   Attributes    : 0x2c0661626364",
    };
    EXPECT_EQ(RawPacketText::block(0, packet), golden);
    // A header alone has empty attribute digits; numbers of three digits fill the field.
    const QStringList bare = RawPacketText::block(123, packet.left(20));
    EXPECT_EQ(bare[0], "Packet123:");
    EXPECT_EQ(bare[7], "   Attributes    : 0x");
}

TEST(RawPacketText, FailedBlockCarriesTheLibraryMessageOnce)
{
    EXPECT_EQ(RawPacketText::failedBlock(2, "ERROR: Cannot sign response packet without a request packet"),
              QStringList({"Packet2  :", "   Error: Cannot sign response packet without a request packet"}));
    EXPECT_EQ(RawPacketText::unresolvedHost("no.such.host"),
              QStringList({"Error: Failed to find IP address for host no.such.host", ""}));
}
