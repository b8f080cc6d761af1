#include "dictmanager/DictionaryWriter.h"
#include "dictmanager/DictionaryManager.h"
#include "dictmanager/DictionaryModel.h"
#include "dictmanager/DictionaryPaths.h"
#include "dictmanager/QtPrinters.h"
#include "dictmanager/SafeFile.h"
#include "support/TempProgramDir.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace dictmanager;

namespace {
// Names at the edges of the column rules: 30/31 for attributes, 20/21/30/31 for values.
DictionaryModel acmeModel()
{
    DictionaryModel model;
    model.vendorList << "Acme";
    model.vendorTable = {{"Acme", "0042"}, {"Acme", "7"}};
    model.attributes = {{"Acme-Short", "1", "string"},
                        {"Acme-Attribute-Thirty-Chars-30", "26", "integer"},
                        {"Acme-Attribute-Thirty-One-Chars", "65535", "ipaddr"}};
    // Shown in another order: the file follows the store.
    model.attributeList = {"Acme-Attribute-Thirty-One-Chars", "Acme-Short", "Acme-Attribute-Thirty-Chars-30"};
    model.values = {{"Acme-Short", "Value-Twenty-Chars20", "1"},
                    {"Acme-Short", "Value-Twenty-One-Ch21", "2"},
                    {"Acme-Attribute-Thirty-Chars-30", "Value-Thirty-Characters-Long30", "3"},
                    {"Acme-Attribute-Thirty-One-Chars", "Value-Thirty-One-Characters-031", "4"}};
    return model;
}

const char *const acmeValues =
    "VALUE\tAcme-Short                      Value-Twenty-Chars20    1\r\n"
    "VALUE\tAcme-Short                      Value-Twenty-One-Ch21           2\r\n"
    "VALUE\tAcme-Attribute-Thirty-Chars-30  Value-Thirty-Characters-Long30  3\r\n"
    "VALUE\tAcme-Attribute-Thirty-One-Chars  Value-Thirty-One-Characters-031  4\r\n"
    "\r\n"
    "END-VENDOR Acme";
} // namespace

TEST(DictionaryWriter, SwitchAndCloseSavesFollowTheColumnRules)
{
    const QByteArray head =
        "VENDOR  Acme  0042\r\n"
        "\r\n"
        "BEGIN-VENDOR Acme\r\n"
        "ATTRIBUTE   Acme-Short                      1       string          \r\n"
        "ATTRIBUTE   Acme-Attribute-Thirty-Chars-30  26      integer         \r\n";
    const DictionaryModel model = acmeModel();
    EXPECT_EQ(DictionaryWriter::vendorFile(model, "Acme", DictionaryWriter::Variant::Switch),
              head + "ATTRIBUTE   Acme-Attribute-Thirty-One-Chars  65535   ipaddr          \r\n\r\n" + acmeValues);
    EXPECT_EQ(DictionaryWriter::vendorFile(model, "Acme", DictionaryWriter::Variant::Close),
              head + "ATTRIBUTE   Acme-Attribute-Thirty-One-Chars       65535   ipaddr          \r\n\r\n" + acmeValues);
}

TEST(DictionaryWriter, EmptyVendorUnknownCodeAndLongCode)
{
    DictionaryModel model;
    EXPECT_EQ(DictionaryWriter::vendorFile(model, "Bare", DictionaryWriter::Variant::Close),
              QByteArray("VENDOR  Bare  \r\n\r\nBEGIN-VENDOR Bare\r\n\r\n\r\nEND-VENDOR Bare"));

    // A code of 8 or more characters still leaves a blank before the data type.
    model.attributes = {{"Long", "123456789", "octets"}};
    model.attributeList = {"Long"};
    EXPECT_TRUE(DictionaryWriter::vendorFile(model, "Bare", DictionaryWriter::Variant::Switch)
                    .contains("ATTRIBUTE   Long                            123456789 octets          \r\n"));
}

TEST(DictionaryWriter, FormatAndFlagsFollowTheirColumns)
{
    DictionaryModel model;
    model.vendorTable = {{"Wide", "64998", "format=2,1"}, {"Wide", "1", "format=4,0"}};
    model.attributes = {{"Wide-Secret", "300", "string", "encrypt=2"},
                        {"Wide-Attribute-Thirty-One-Chars", "7", "octets", "has_tag"},
                        {"Wide-Long-Type", "8", "sixteen-chars-16", "array"},
                        {"Wide-Plain", "9", "integer"}};
    model.attributeList = {"Wide-Secret", "Wide-Attribute-Thirty-One-Chars", "Wide-Long-Type", "Wide-Plain"};
    EXPECT_EQ(DictionaryWriter::vendorFile(model, "Wide", DictionaryWriter::Variant::Close),
              QByteArray("VENDOR  Wide  64998  format=2,1\r\n"
                         "\r\n"
                         "BEGIN-VENDOR Wide\r\n"
                         "ATTRIBUTE   Wide-Secret                     300     string          encrypt=2\r\n"
                         "ATTRIBUTE   Wide-Attribute-Thirty-One-Chars       7       octets          has_tag\r\n"
                         "ATTRIBUTE   Wide-Long-Type                  8       sixteen-chars-16 array\r\n"
                         "ATTRIBUTE   Wide-Plain                      9       integer         \r\n"
                         "\r\n"
                         "\r\n"
                         "END-VENDOR Wide"));
}

TEST(DictionaryWriter, NewVendorAndIndexTexts)
{
    EXPECT_EQ(DictionaryWriter::toFileBytes(DictionaryWriter::newVendorFile("Acme", "00042")),
              QByteArray("VENDOR  Acme  00042"));
    EXPECT_EQ(
        DictionaryWriter::toFileBytes(DictionaryWriter::index({DictionaryModel::placeholder(), "Acme", "Zed", "Acme"})),
        QByteArray("$INCLUDE dictionary.Acme\r\n$INCLUDE dictionary.Zed\r\n$INCLUDE dictionary.Acme\r\n"));
    EXPECT_TRUE(DictionaryWriter::index({DictionaryModel::placeholder()}).isEmpty());
}

TEST(SafeFile, AppendStartsANewLineAndFailedWriteKeepsTheOldFile)
{
    testsupport::TempProgramDir dir;
    const QString index = DictionaryPaths::indexFile();
    ASSERT_TRUE(dir.writeFile("dictionary/userdefine/dictionary", "$INCLUDE dictionary.A"));
    EXPECT_EQ(SafeFile::appendLine(index, "$INCLUDE dictionary.B\r\n"), QString());
    EXPECT_EQ(dir.readFile("dictionary/userdefine/dictionary"),
              QByteArray("$INCLUDE dictionary.A\r\n$INCLUDE dictionary.B\r\n"));
    const QString missing = DictionaryPaths::userDirectory() + "/fresh";
    EXPECT_EQ(SafeFile::appendLine(missing, "x\r\n"), QString());
    EXPECT_EQ(dir.readFile("dictionary/userdefine/fresh"), QByteArray("x\r\n"));

    // A target that cannot be replaced: an error, and nothing of the old content lost.
    ASSERT_TRUE(QDir().mkpath(DictionaryPaths::vendorFile("Blocked") + "/keep"));
    const QString error = SafeFile::write(DictionaryPaths::vendorFile("Blocked"), "new");
    EXPECT_TRUE(error.startsWith("Couldn't write")) << error.toStdString();
    EXPECT_TRUE(QDir(DictionaryPaths::vendorFile("Blocked") + "/keep").exists());
    EXPECT_EQ(QDir(DictionaryPaths::userDirectory()).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "no temporary file left behind";
}
