#include "reports/RawPacketText.h"

#include "platform/CurrentLanguage.h"
#include "support/TempProgramDir.h"
#include "textcolumns/DisplayColumns.h"

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

namespace {

// The columns at which a line shows each of its '|' and ':' (a Chinese character two).
QList<qsizetype> markColumns(const QString &line)
{
    QList<qsizetype> columns;
    for (qsizetype i = 0; i < line.size(); ++i)
        if (line[i] == '|' || line[i] == ':')
            columns << textcolumns::columnsOf(line.left(i));
    return columns;
}

} // namespace

// In Chinese the figure's names stand in the middle of the same cells as in English, and
// each block's colons in one column, as the screen shows them.
TEST(RawPacketText, ChineseNamesKeepTheFigureAndTheBlockInTheirColumns)
{
    testsupport::TempProgramDir dir;
    const QByteArray packet = QByteArray::fromHex("04fe001a00112233445566778899aabbccddeeff2c0661626364");
    const QStringList englishFigure = RawPacketText::figure();
    const QStringList englishBlock = RawPacketText::block(0, packet);
    ASSERT_TRUE(platform::CurrentLanguage::setCurrentName(QStringLiteral("简体中文")));
    const QStringList figure = RawPacketText::figure();
    const QStringList block = RawPacketText::block(0, packet);

    EXPECT_EQ(figure[0], QStringLiteral(u"  RADIUS 数据格式（各字段从左到右传输）："));
    for (int row : {5, 8})
        EXPECT_EQ(markColumns(figure[row]), markColumns(englishFigure[row])) << figure[row].toStdString();
    // Each name in the middle of its cell, an odd blank on the right.
    EXPECT_EQ(figure[5], QStringLiteral(u"   |     代码      |    标识符     |             长度              |"));
    EXPECT_EQ(figure[8], "   |" + QString(28, ' ') + QStringLiteral(u"认证字") + QString(29, ' ') + "|");
    EXPECT_EQ(figure[12], QStringLiteral(u"   |  属性 ..."));
    EXPECT_EQ(block[0], QStringLiteral(u"数据包0  :"));
    EXPECT_EQ(block[6], QStringLiteral(u"   认证字        : 0x00112233445566778899aabbccddeeff"));
    for (int field = 3; field < block.size(); ++field)
        EXPECT_EQ(markColumns(block[field]), markColumns(englishBlock[field])) << block[field].toStdString();
    EXPECT_EQ(RawPacketText::failedBlock(2, "ERROR: Cannot sign"),
              QStringList({QStringLiteral(u"数据包2  :"), QStringLiteral(u"   错误：Cannot sign")}));
}
