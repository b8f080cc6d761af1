#include "dictmanager/UploadValidator.h"
#include "dictmanager/DictionaryModel.h"
#include "dictmanager/DictionaryPaths.h"
#include "dictmanager/InstalledVendors.h"
#include "dictmanager/QtPrinters.h"
#include "support/TempProgramDir.h"

#include <gtest/gtest.h>

using namespace dictmanager;

TEST(UploadValidator, ReportsFaultyLinesWithTheirNumbers)
{
    struct Case {
        const char *name;
        const char *text;
        bool ok;
        QStringList messages;
        QString uploadVendor;
    };
    const Case cases[] = {
        {"clean",
         "# Glossy\r\nVENDOR Glossy 42\r\nBEGIN-VENDOR Glossy\r\nATTRIBUTE A 1 string\r\nVALUE A B 1\r\nEND-VENDOR "
         "Glossy\r\n",
         true,
         {},
         "Glossy"},
        {"every faulty line, comments counted",
         "# header\n\nATTRIBUTE A 1\nVALUE A B\nVENDOR\nATTRIBUTE B\nVALUE A\n$INCLUDE\nBEGIN-VENDOR\n",
         false,
         {"[Error] in the ATTRIBUTE line 3", "[Error] in the VALUE line 4", "[Error] in the VENDOR line 5",
          "[Error] in the ATTRIBUTE line 6", "[Error] in the VALUE line 7"},
         "vendor"},
        {"name without code records the vendor", "VENDOR Glossy\n", false, {"[Error] in the VENDOR line 1"}, "Glossy"},
        {"existing vendor stops at once",
         "VENDOR New 1\nVENDOR Known 2\nATTRIBUTE X\n",
         false,
         {"[Warn] the vendor have existed"},
         "New"},
        {"last new vendor wins", "VENDOR One 1\nVENDOR Two 2\n", true, {}, "Two"},
        {"unsafe name refused",
         "VENDOR ../../etc 1\nVENDOR a\\b 2\n",
         false,
         {"[Error] in the VENDOR line 1: A vendor name may not contain blanks, control characters, \"#\", \"/\", "
          "\"\\\" or \"..\".",
          "[Error] in the VENDOR line 2: A vendor name may not contain blanks, control characters, \"#\", \"/\", "
          "\"\\\" or \"..\"."},
         "vendor"},
        {"keywords in any case, as the library reads them",
         "vendor Glossy\nattribute A\n",
         false,
         {"[Error] in the VENDOR line 1", "[Error] in the ATTRIBUTE line 2"},
         "Glossy"},
        {"installed vendor by name in any case, or by number",
         "VENDOR Cisco 9\nVENDOR cisco 77\nVENDOR Own 009\nVENDOR Fine 64997\n",
         false,
         {"[Error] in the VENDOR line 1: The vendor name \"Cisco\" is already defined by the installed FreeRADIUS "
          "dictionaries.",
          "[Error] in the VENDOR line 2: The vendor name \"cisco\" is already defined by the installed FreeRADIUS "
          "dictionaries as \"Cisco\".",
          "[Error] in the VENDOR line 3: The vendor code 009 is already used by the vendor \"Cisco\" of the installed "
          "FreeRADIUS dictionaries."},
         "Fine"},
    };
    testsupport::TempProgramDir dir;
    const InstalledVendors installed =
        InstalledVendors::read(DictionaryPaths::mainDictionary(), DictionaryPaths::userDirectory());
    for (const Case &c : cases) {
        ASSERT_TRUE(dir.writeFile("upload.txt", c.text));
        QString uploadVendor = "vendor";
        const UploadValidator::Result result = UploadValidator::validate(
            dir.filePath("upload.txt"), {DictionaryModel::placeholder(), "Known"}, installed, uploadVendor);
        EXPECT_TRUE(result.opened) << c.name;
        EXPECT_EQ(result.ok, c.ok) << c.name;
        EXPECT_EQ(result.messages, c.messages) << c.name;
        EXPECT_EQ(uploadVendor, c.uploadVendor) << c.name;
        EXPECT_EQ(result.vendorRecorded, c.uploadVendor != "vendor") << c.name;
    }

    QString uploadVendor = "Prev";
    const UploadValidator::Result missing =
        UploadValidator::validate(dir.filePath("none.txt"), {}, installed, uploadVendor);
    EXPECT_FALSE(missing.opened);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.messages, QStringList{"Validate dictionary file fail!"});
    EXPECT_EQ(uploadVendor, "Prev");
}

TEST(InstalledVendors, FollowsIncludesAsTheLibraryDoes)
{
    testsupport::TempProgramDir dir;
    // Relative includes against the including file, an absolute one, a loop, a missing file,
    // keywords in any case, "#" ending a line, and the user dictionaries left out.
    ASSERT_TRUE(dir.writeFile("dictionary/dictionary",
                              "# main\n"
                              "$INCLUDE sub/dictionary.one\n"
                              "$include "
                                  + dir.filePath("elsewhere/dictionary.abs").toUtf8()
                                  + "\n"
                                    "$INCLUDE userdefine/dictionary\n"
                                    "$INCLUDE dictionary.missing\n"
                                    "$INCLUDE- dictionary.optional\n"
                                    "vendor Hex 0x10\n"
                                    "VENDOR Half\n"
                                    "#VENDOR Hidden 700\n"));
    ASSERT_TRUE(dir.writeFile("dictionary/sub/dictionary.one", "$INCLUDE dictionary.two\nVENDOR One 100 format=2,1\n"));
    ASSERT_TRUE(dir.writeFile("dictionary/sub/dictionary.two",
                              "$INCLUDE ../dictionary\nVENDOR Two 200\nVENDOR Dup 100\nVENDOR Cut 300#comment\n"));
    ASSERT_TRUE(dir.writeFile("elsewhere/dictionary.abs", "VENDOR Abs 400\n"));
    ASSERT_TRUE(dir.writeFile("dictionary/dictionary.optional", "VENDOR Optional 600\n"));
    ASSERT_TRUE(dir.writeFile("dictionary/userdefine/dictionary", "$INCLUDE dictionary.Mine\n"));
    ASSERT_TRUE(dir.writeFile("dictionary/userdefine/dictionary.Mine", "VENDOR Mine 500\n"));

    const InstalledVendors installed =
        InstalledVendors::read(DictionaryPaths::mainDictionary(), DictionaryPaths::userDirectory());
    const QString suffix = " of the installed FreeRADIUS dictionaries.";
    struct Case {
        const char *name;
        const char *code;
        QString clash;
    };
    const Case cases[] = {
        {"One", "", "The vendor name \"One\" is already defined by the installed FreeRADIUS dictionaries."},
        {"TWO", "1", "The vendor name \"TWO\" is already defined by the installed FreeRADIUS dictionaries as \"Two\"."},
        {"Cut", "1", "The vendor name \"Cut\" is already defined by the installed FreeRADIUS dictionaries."},
        {"New", "100", "The vendor code 100 is already used by the vendor \"Dup\"" + suffix}, // included first
        {"New", "0200", "The vendor code 0200 is already used by the vendor \"Two\"" + suffix},
        {"New", "16", "none"}, // the library reads "0x10" as 0: a vendor number is decimal
        {"New", "300", "The vendor code 300 is already used by the vendor \"Cut\"" + suffix},
        {"New", "400", "The vendor code 400 is already used by the vendor \"Abs\"" + suffix},
        {"New", "600", "The vendor code 600 is already used by the vendor \"Optional\"" + suffix},
        {"Mine", "500", "none"},
        {"Half", "", "none"},
        {"Hidden", "700", "none"},
        {"New", "", "none"},
        {"New", "10x", "none"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(installed.clash(c.name, c.code).value_or("none"), c.clash) << c.name << " " << c.code;

    EXPECT_FALSE(InstalledVendors::read(dir.filePath("no/such/dictionary"), {}).clash("One", "100").has_value());
}
