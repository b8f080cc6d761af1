#include "support/TempProgramDir.h"
#include "taskdef/ImportText.h"

#include <gtest/gtest.h>

using namespace taskdef;
using testsupport::TempProgramDir;

namespace {

PacketTable twoPackets()
{
    PacketTable t;
    t.packets = {"Packet1", "Packet2"};
    t.rows = {{"User-Name", "bob smith", "1", "Packet1"},
              {"NAS-Port", "7", "2", "Packet2"},
              {"Reply-Message", "abc\\#123", "3", "Packet1"}};
    return t;
}

TEST(ImportTextTest, ExportWritesHeadLinesAndPairLines)
{
    EXPECT_EQ(ImportText::exportText(twoPackets()),
              "\n#Packet1\r\nUser-Name = \"bob smith\"\r\nReply-Message = abc\\#123\r\n"
              "\n#Packet2\r\nNAS-Port = 7\r\n");
}

TEST(ImportTextTest, ImportReadsPacketsRowsAndEveryLineEnd)
{
    PacketTable existing;
    existing.rows = {{"Old", "1", "555", "Packet1"}};
    int counter = 4;
    const auto imported = ImportText::importText(
        "#first\r\n  A = 1  \rB=\"x y\"\n\n\t\n# second ignored text\n"
        "C = \"\nno equals sign\nD = a = b\n",
        existing, counter);
    EXPECT_EQ(counter, 6);
    EXPECT_EQ(imported.packets, QStringList({"Packet4", "Packet5"}));
    ASSERT_EQ(imported.rows.size(), 5);
    const QStringList expected[] = {{"A", "1", "Packet4"},
                                    {"B", "x y", "Packet4"},
                                    {"C", "", "Packet5"},
                                    {"", "no equals sign", "Packet5"},
                                    {"D", "a = b", "Packet5"}};
    QSet<QString> keys = {"555"};
    for (int i = 0; i < 5; ++i) {
        const AttributeRow &r = imported.rows[i];
        EXPECT_EQ(QStringList({r.attribute, r.value, r.packageId}), expected[i]) << i;
        EXPECT_FALSE(keys.contains(r.id)) << "row keys must be unique";
        keys.insert(r.id);
    }
}

TEST(ImportTextTest, PairsBeforeAnyHeadLineGetAPacketOfTheirOwn)
{
    int counter = 1;
    const auto imported = ImportText::importText("A = 1\nB = 2\n#next\nC = 3\n", PacketTable(), counter);
    EXPECT_EQ(imported.packets, QStringList({"Packet1", "Packet2"}));
    ASSERT_EQ(imported.rows.size(), 3);
    EXPECT_EQ(imported.rows[0].packageId, "Packet1");
    EXPECT_EQ(imported.rows[2].packageId, "Packet2");
}

TEST(ImportTextTest, ExportThenImportRecreatesPacketsUnderNewNames)
{
    TempProgramDir dir;
    const PacketTable source = twoPackets();
    ASSERT_TRUE(ImportText::exportToFile(dir.filePath("export.txt"), source));

    PacketTable target;
    target.packets = {"Packet1"};
    target.rows = {{"Kept", "1", "9", "Packet1"}};
    int counter = 2;
    ASSERT_TRUE(ImportText::importFile(dir.filePath("export.txt"), target, counter));
    EXPECT_EQ(target.packets, QStringList({"Packet1", "Packet2", "Packet3"}));
    ASSERT_EQ(target.rows.size(), 4);
    EXPECT_EQ(target.rowsOf("Packet2").size(), 2);
    EXPECT_EQ(target.rowsOf("Packet2")[0].value, "bob smith");
    EXPECT_EQ(target.rowsOf("Packet2")[1].value, "abc\\#123");
    EXPECT_EQ(target.rowsOf("Packet3")[0].attribute, "NAS-Port");
    EXPECT_EQ(target.usedKeys().size(), 4);

    QString error;
    EXPECT_FALSE(ImportText::importFile(dir.filePath("none.txt"), target, counter, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(target.rows.size(), 4);
}

} // namespace
