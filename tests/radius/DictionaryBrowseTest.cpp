#include "LoadDictionary.h"

#include "radius/Dictionary.h"
#include "radius/DictionaryFileReader.h"
#include "support/TempProgramDir.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace radius;
using testsupport::TempProgramDir;

namespace {

QStringList names(const QList<BrowseVendor> &list)
{
    QStringList out;
    for (const auto &v : list)
        out << v.name;
    return out;
}

QStringList names(const QList<BrowseAttribute> &list)
{
    QStringList out;
    for (const auto &a : list)
        out << a.name;
    return out;
}

QStringList names(const QList<BrowseValue> &list)
{
    QStringList out;
    for (const auto &v : list)
        out << v.name;
    return out;
}

// A small dictionary that exercises includes, vendor blocks and out-of-order definitions.
class DictionaryBrowseFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.writeFile("dict/dictionary",
                                  "# main file\n"
                                  "VENDOR Alpha 100\n"
                                  "$INCLUDE sub/dictionary.beta\n"
                                  "$INCLUDE- sub/not-there\n"
                                  "ATTRIBUTE zeta 5 integer\n"
                                  "ATTRIBUTE Alpha-Two 2 string Alpha\n"
                                  "ATTRIBUTE\tapple\t0x0A\tinteger\n"
                                  "VALUE zeta Far 10\n"
                                  "VALUE zeta Near 0x2 # hex\n"
                                  "VALUE Later-Attr Two 2\n"
                                  "VALUE Later-Attr One 1\n"
                                  "ATTRIBUTE Later-Attr 3 integer\n"
                                  "VALUE Unknown-Attr X 1\n"));
        ASSERT_TRUE(dir.writeFile("dict/sub/dictionary.beta",
                                  "VENDOR Beta 200 format=1,1\n"
                                  "BEGIN-VENDOR Beta\n"
                                  "ATTRIBUTE beta-b 2 string\n"
                                  "ATTRIBUTE Beta-a 1 string has_tag\n"
                                  "$INCLUDE dictionary.gamma\n"
                                  "END-VENDOR Beta\n"));
        ASSERT_TRUE(dir.writeFile("dict/sub/dictionary.gamma",
                                  "VENDOR Gamma 300\n"
                                  "ATTRIBUTE Gamma-One 1 octets Gamma\n"
                                  "ATTRIBUTE Outside 7 string\n"));
    }
    TempProgramDir dir;
};

TEST_F(DictionaryBrowseFixture, VendorsComeInReverseDefinitionOrder)
{
    const DictionaryCatalog c = DictionaryFileReader::read(dir.filePath("dict/dictionary"));
    EXPECT_EQ(names(c.vendors()), QStringList({"Gamma", "Beta", "Alpha"}));
    EXPECT_EQ(c.vendorNumber("Beta"), 200u);
    EXPECT_FALSE(c.vendorNumber("beta").has_value());
    EXPECT_TRUE(c.problems().isEmpty()) << c.problems().join('\n').toStdString();
}

TEST_F(DictionaryBrowseFixture, AttributesOfAVendorInNameOrderWithoutCase)
{
    const DictionaryCatalog c = DictionaryFileReader::read(dir.filePath("dict/dictionary"));
    // An included file starts outside the including file's vendor block.
    EXPECT_EQ(names(c.attributesOf(0)), QStringList({"apple", "Later-Attr", "Outside", "zeta"}));
    EXPECT_EQ(names(c.attributesOf(200)), QStringList({"Beta-a", "beta-b"}));
    EXPECT_EQ(names(c.attributesOf(100)), QStringList({"Alpha-Two"}));
    EXPECT_EQ(names(c.attributesOf(300)), QStringList({"Gamma-One"}));
    EXPECT_TRUE(c.attributesOf(999).isEmpty());
    EXPECT_EQ(c.attributesOf(0).first().number, 10u);
}

TEST_F(DictionaryBrowseFixture, ValuesByAttributeNumberThenValue)
{
    const DictionaryCatalog c = DictionaryFileReader::read(dir.filePath("dict/dictionary"));
    EXPECT_EQ(names(c.values()), QStringList({"One", "Two", "Near", "Far"}));
    EXPECT_EQ(names(c.valuesOf(5, 0)), QStringList({"Near", "Far"}));
    EXPECT_EQ(c.valuesOf(5, 0).first().value, 2);
    EXPECT_TRUE(c.valuesOf(5, 100).isEmpty());
}

TEST_F(DictionaryBrowseFixture, MissingIncludesAndLoopsAreReportedNotFatal)
{
    ASSERT_TRUE(dir.writeFile("loop/dictionary", "VENDOR Solo 1\n$INCLUDE dictionary\n$INCLUDE gone\n"));
    const DictionaryCatalog c = DictionaryFileReader::read(dir.filePath("loop/dictionary"));
    EXPECT_EQ(names(c.vendors()), QStringList({"Solo"}));
    ASSERT_EQ(c.problems().size(), 2) << c.problems().join('\n').toStdString();
    EXPECT_TRUE(c.problems().at(1).contains("gone"));
    EXPECT_EQ(DictionaryFileReader::read(dir.filePath("none")).problems().size(), 1);
}

// The library compares keywords without case and ends a line at "#" wherever it stands.
TEST(DictionaryBrowse, ReadsKeywordsAndCommentsAsTheLibraryDoes)
{
    TempProgramDir dir;
    ASSERT_TRUE(dir.writeFile("dict/dictionary",
                              "$include dictionary.lower\n"
                              "Vendor Mixed 78 Format=2,1 # a note\n"
                              "Begin-Vendor Mixed\n"
                              "Attribute Mixed-Wide 300 integer# no blank before the note\n"
                              "End-Vendor Mixed\n"));
    ASSERT_TRUE(dir.writeFile("dict/dictionary.lower",
                              "vendor Lower 77\n"
                              "begin-vendor Lower\n"
                              "attribute Lower-Mode 1 integer\n"
                              "value Lower-Mode Fast 2\n"
                              "value Lower-Mode Slow 1\n"
                              "end-vendor Lower\n"));
    const DictionaryCatalog c = DictionaryFileReader::read(dir.filePath("dict/dictionary"));
    EXPECT_TRUE(c.problems().isEmpty()) << c.problems().join('\n').toStdString();
    EXPECT_EQ(names(c.vendors()), QStringList({"Mixed", "Lower"}));
    EXPECT_EQ(names(c.attributesOf(77)), QStringList({"Lower-Mode"}));
    EXPECT_EQ(names(c.valuesOf(1, 77)), QStringList({"Slow", "Fast"}));
    ASSERT_EQ(c.attributesOf(78).size(), 1);
    EXPECT_EQ(c.attributesOf(78).first().number, 300u);
    EXPECT_EQ(c.attributesOf(78).first().type, "integer");
}

// The installed FreeRADIUS dictionary through the shipped main file, with a user vendor.
class InstalledDictionaryBrowse : public ::testing::Test {
protected:
    static void SetUpTestSuite() { loadShippedDictionary(); }
};

TEST_F(InstalledDictionaryBrowse, ReadsEverythingInBrowseOrder)
{
    TempProgramDir dir;
    ASSERT_TRUE(dir.writeFile("dictionary/userdefine/dictionary", "$INCLUDE dictionary.quokka\n"));
    ASSERT_TRUE(dir.writeFile("dictionary/userdefine/dictionary.quokka",
                              "VENDOR Quokka 65001\nBEGIN-VENDOR Quokka\nATTRIBUTE Quokka-Zone 2 string\n"
                              "ATTRIBUTE quokka-level 1 integer\nVALUE quokka-level High 9\nVALUE quokka-level Low 1\n"
                              "END-VENDOR Quokka\n"));
    const DictionaryCatalog c = DictionaryFileReader::readProgramDictionary();
    EXPECT_TRUE(c.problems().isEmpty()) << c.problems().join('\n').toStdString();

    // The user file comes last, so its vendor comes first.
    ASSERT_GT(c.vendors().size(), 100);
    EXPECT_EQ(c.vendors().first().name, "Quokka");
    EXPECT_EQ(names(c.attributesOf(65001)), QStringList({"quokka-level", "Quokka-Zone"}));
    EXPECT_EQ(names(c.valuesOf(1, 65001)), QStringList({"Low", "High"}));
    EXPECT_GT(c.attributeCount(), 5000);

    // Every vendor's attributes in name order without regard to case.
    for (const BrowseVendor &v : c.vendors() + QList<BrowseVendor>{{"General", 0}}) {
        const auto list = c.attributesOf(v.number);
        for (int i = 1; i < list.size(); ++i)
            ASSERT_LE(list[i - 1].name.compare(list[i].name, Qt::CaseInsensitive), 0)
                << v.name.toStdString() << ": " << list[i - 1].name.toStdString() << " before "
                << list[i].name.toStdString();
    }
    // Values by vendor, attribute number, then value number.
    const auto &values = c.values();
    for (int i = 1; i < values.size(); ++i) {
        const auto &a = values[i - 1];
        const auto &b = values[i];
        ASSERT_LE(std::tie(a.vendor, a.attributeNumber), std::tie(b.vendor, b.attributeNumber));
        if (a.vendor == b.vendor && a.attributeOid == b.attributeOid) {
            ASSERT_LE(a.value, b.value) << a.attribute.toStdString();
        }
    }
    const QStringList serviceTypes = names(c.valuesOf(6, 0));
    EXPECT_LT(serviceTypes.indexOf("Login-User"), serviceTypes.indexOf("Framed-User"));
    EXPECT_LT(serviceTypes.indexOf("Framed-User"), serviceTypes.indexOf("Callback-Login-User"));
    EXPECT_GE(serviceTypes.indexOf("Login-User"), 0);

    // The reader and the library agree on what each plainly numbered attribute is.
    int checked = 0;
    for (const BrowseVendor &v : c.vendors() + QList<BrowseVendor>{{"General", 0}}) {
        for (const BrowseAttribute &a : c.attributesOf(v.number)) {
            if (a.oid.contains('.') || v.name == "Quokka")
                continue;
            const auto lib = Dictionary::attribute(a.name);
            ASSERT_TRUE(lib.has_value()) << a.name.toStdString();
            if (lib->name != a.name)
                continue; // an alias defined twice under one name
            // Extended vendor spaces carry more in the library's upper bits.
            EXPECT_EQ(lib->vendor & 0xffffffu, a.vendor) << a.name.toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 5000);
}

} // namespace
