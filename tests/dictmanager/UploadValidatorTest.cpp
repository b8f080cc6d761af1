#include "dictmanager/DictionaryModel.h"
#include "dictmanager/UploadValidator.h"
#include "support/TempProgramDir.h"
#include "dictmanager/QtPrinters.h"

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
        {"clean", "# Acme\r\nVENDOR Acme 42\r\nBEGIN-VENDOR Acme\r\nATTRIBUTE A 1 string\r\nVALUE A B 1\r\nEND-VENDOR Acme\r\n",
         true, {}, "Acme"},
        {"every faulty line, comments counted",
         "# header\n\nATTRIBUTE A 1\nVALUE A B\nVENDOR\nATTRIBUTE B\nVALUE A\n$INCLUDE\nBEGIN-VENDOR\n",
         false,
         {"[Error] in the ATTRIBUTE line 3", "[Error] in the VALUE line 4", "[Error] in the VENDOR line 5",
          "[Error] in the ATTRIBUTE line 6", "[Error] in the VALUE line 7"},
         "vendor"},
        {"name without code records the vendor", "VENDOR Acme\n", false, {"[Error] in the VENDOR line 1"}, "Acme"},
        {"existing vendor stops at once", "VENDOR New 1\nVENDOR Known 2\nATTRIBUTE X\n", false,
         {"[Warn] the vendor have existed"}, "New"},
        {"last new vendor wins", "VENDOR One 1\nVENDOR Two 2\n", true, {}, "Two"},
        {"unsafe name refused", "VENDOR ../../etc 1\nVENDOR a\\b 2\n", false,
         {"[Error] in the VENDOR line 1: A vendor name may not contain blanks, control characters, \"#\", \"/\", \"\\\" or \"..\".",
          "[Error] in the VENDOR line 2: A vendor name may not contain blanks, control characters, \"#\", \"/\", \"\\\" or \"..\"."},
         "vendor"},
        {"lower case is not looked at", "vendor Acme\nattribute A\n", true, {}, "vendor"},
    };
    testsupport::TempProgramDir dir;
    for (const Case &c : cases) {
        ASSERT_TRUE(dir.writeFile("upload.txt", c.text));
        QString uploadVendor = "vendor";
        const UploadValidator::Result result = UploadValidator::validate(
            dir.filePath("upload.txt"), {DictionaryModel::placeholder(), "Known"}, uploadVendor);
        EXPECT_TRUE(result.opened) << c.name;
        EXPECT_EQ(result.ok, c.ok) << c.name;
        EXPECT_EQ(result.messages, c.messages) << c.name;
        EXPECT_EQ(uploadVendor, c.uploadVendor) << c.name;
        EXPECT_EQ(result.vendorRecorded, c.uploadVendor != "vendor") << c.name;
    }

    QString uploadVendor = "Prev";
    const UploadValidator::Result missing = UploadValidator::validate(dir.filePath("none.txt"), {}, uploadVendor);
    EXPECT_FALSE(missing.opened);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.messages, QStringList{"Validate dictionary file fail!"});
    EXPECT_EQ(uploadVendor, "Prev");
}
