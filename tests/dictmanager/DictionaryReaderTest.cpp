#include "dictmanager/DictionaryModel.h"
#include "dictmanager/DictionaryPaths.h"
#include "dictmanager/QtPrinters.h"
#include "dictmanager/VendorFileLoader.h"
#include "dictmanager/VendorScanner.h"
#include "support/TempProgramDir.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace dictmanager;

TEST(VendorFileLoader, KeepsWhatTheGrammarDeclares)
{
    testsupport::TempProgramDir dir;
    ASSERT_TRUE(dir.writeFile("dictionary/userdefine/dictionary.Acme",
                              "# Acme dictionary\r\n"
                              "VENDOR Acme 0042 # no format\r\n"
                              "ATTRIBUTE Outside 9 integer\r\n"
                              "BEGIN-VENDOR Acme\r\n"
                              "ATTRIBUTE Acme-Secret 1 string encrypt=2 extra\r\n"
                              "ATTRIBUTE Acme-Tagged 5 octets has_tag,array#note\r\n"
                              "ATTRIBUTE Acme-Noted 6 integer # a note, not flags\r\n"
                              "ATTRIBUTE Acme-NoType 2\r\n"
                              "attribute Acme-Lower 3 string\r\n"
                              "  # ATTRIBUTE Acme-Indented 4 string\r\n"
                              "VALUE Outside On 1\r\n"
                              "VALUE Undeclared Off 0\r\n"
                              "VALUE Outside Short\r\n"
                              "END-VENDOR Acme\r\n"
                              "VENDOR Acme-Two 77 format=2,1\n"
                              "VENDOR Incomplete\n"));
    DictionaryModel model;
    model.vendorTable = {{"Old", "1"}};
    ASSERT_TRUE(VendorFileLoader::load(DictionaryPaths::vendorFile("Acme"), model));
    // The field after the needed ones is kept as written, up to a "#"; later ones are dropped.
    EXPECT_EQ(model.vendorTable,
              (QList<VendorEntry>{{"Old", "1"}, {"Acme", "0042"}, {"Acme-Two", "77", "format=2,1"}}));
    EXPECT_EQ(model.vendorCode, "77");
    // Keywords in any case, as the library reads them.
    EXPECT_EQ(model.attributes,
              (QList<AttributeEntry>{{"Outside", "9", "integer"},
                                     {"Acme-Secret", "1", "string", "encrypt=2"},
                                     {"Acme-Tagged", "5", "octets", "has_tag,array"},
                                     {"Acme-Noted", "6", "integer"},
                                     {"Acme-Lower", "3", "string"}}));
    EXPECT_EQ(model.attributeList, (QStringList{"Outside", "Acme-Secret", "Acme-Tagged", "Acme-Noted", "Acme-Lower"}));
    // Each record keeps its line's octets, to be written back while it is unchanged.
    EXPECT_EQ(model.attributes.at(2).line, QByteArray("ATTRIBUTE Acme-Tagged 5 octets has_tag,array#note"));
    EXPECT_EQ(model.encoding.kind(), FileEncoding::Kind::Utf8);
    EXPECT_EQ(model.values, (QList<ValueEntry>{{"Outside", "On", "1"}, {"Undeclared", "Off", "0"}}));

    DictionaryModel untouched;
    EXPECT_FALSE(VendorFileLoader::load(DictionaryPaths::vendorFile("Missing"), untouched));
    EXPECT_TRUE(untouched.attributes.isEmpty());
    EXPECT_TRUE(untouched.vendorTable.isEmpty());
}

TEST(VendorScanner, ListsEveryVendorLineDepthFirst)
{
    testsupport::TempProgramDir dir;
    ASSERT_TRUE(dir.writeFile("dictionary/userdefine/dictionary", "$INCLUDE dictionary.Two\r\n"));
    ASSERT_TRUE(
        dir.writeFile("dictionary/userdefine/dictionary.Two", "VENDOR First 1\nVENDOR Second 2\nvendor lower 3\n"));
    ASSERT_TRUE(dir.writeFile("dictionary/userdefine/sub/deeper/dictionary.Deep", "VENDOR Deep\n"));
    // A dangling link cannot be read; a link back up must not loop.
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere"), dir.filePath("dictionary/userdefine/broken")));
    ASSERT_TRUE(QFile::link(dir.filePath("dictionary/userdefine"), dir.filePath("dictionary/userdefine/sub/loop")));

    const VendorScanner::Result result = VendorScanner::scan(DictionaryPaths::userDirectory());
    QStringList sorted = result.names;
    sorted.sort();
    EXPECT_EQ(sorted, (QStringList{"Deep", "First", "Second", "lower"}));
    EXPECT_LT(result.names.indexOf("First"), result.names.indexOf("Second"));
    EXPECT_EQ(result.unreadable, QStringList{DictionaryPaths::userDirectory() + "/broken"});

    EXPECT_TRUE(VendorScanner::scan(dir.filePath("no/such/dir")).names.isEmpty());
}
