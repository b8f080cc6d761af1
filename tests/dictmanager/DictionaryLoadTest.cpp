#include "dictmanager/AttributeEdit.h"
#include "dictmanager/DictionaryManager.h"
#include "dictmanager/QtPrinters.h"
#include "radius/Dictionary.h"
#include "support/TempProgramDir.h"

#include <gtest/gtest.h>

using namespace dictmanager;

// What Glossor writes is what Pellion's dictionary load reads.
TEST(GlossorFilesInTheMainDictionary, LibraryFindsTheWrittenVendors)
{
    testsupport::TempProgramDir dir;
    // Re-saved, this vendor must keep its format (else its number 300 fails the whole load)
    // and its flags.
    ASSERT_TRUE(dir.writeFile("dictionary/userdefine/dictionary.Glossor-Wide",
                              "# wide numbers\nVENDOR Glossor-Wide 64998 format=2,1\nBEGIN-VENDOR Glossor-Wide\n"
                              "ATTRIBUTE Glossor-Wide-Secret 300 string encrypt=2\n"
                              "ATTRIBUTE Glossor-Wide-Tagged 2 integer has_tag\n"
                              "ATTRIBUTE Glossor-Wide-Gone 3 octets\n"
                              "END-VENDOR Glossor-Wide\n"));
    DictionaryManager manager;
    manager.startUp();
    ASSERT_EQ(manager.model().vendorList.value(1), "Glossor-Wide");
    ASSERT_FALSE(manager.chooseVendor(1).loadFailed);
    manager.model().deleteAttributeRow(2);
    ASSERT_EQ(manager.saveShown(1), QString());
    ASSERT_FALSE(dir.readFile("dictionary/userdefine/dictionary.Glossor-Wide").contains("Gone"));

    ASSERT_FALSE(manager.createVendor("Glossor-Test", "64999").has_value());
    ASSERT_FALSE(manager.createVendor("Glossor-Bare", "00643").has_value()); // one line, no line end

    ASSERT_FALSE(manager.chooseVendor(2).loadFailed);
    AttributeEdit edit = AttributeEdit::forAdd();
    edit.name = "Glossor-Test-Attribute-Name-Over-30"; // over 30: the wide close-save gap
    edit.code = "1";
    edit.dataType = "Integer";
    edit.rows = {{"A-Value-Name-Of-Twenty-One-Or-More", "7"}, {"Short", "1"}};
    ASSERT_FALSE(edit.check(manager.model()).has_value());
    edit.apply(manager.model());
    edit = AttributeEdit::forAdd();
    edit.name = "Glossor-Test-Address";
    edit.code = "2";
    edit.dataType = "ipaddr";
    ASSERT_FALSE(edit.check(manager.model()).has_value());
    edit.apply(manager.model());
    edit = AttributeEdit::forAdd();
    edit.name = "Glossor-Test-Text"; // as the dialog starts: "String"
    edit.code = "255";
    ASSERT_FALSE(edit.check(manager.model()).has_value());
    edit.apply(manager.model());
    ASSERT_EQ(manager.saveShown(2), QString());
    ASSERT_EQ(manager.rewriteIndex(), QString());
    EXPECT_TRUE(
        dir.readFile("dictionary/userdefine/dictionary.Glossor-Test")
            .contains("\r\nATTRIBUTE   Glossor-Test-Attribute-Name-Over-30       1       Integer         \r\n"));
    ASSERT_TRUE(dir.readFile("dictionary/userdefine/dictionary").contains("$INCLUDE dictionary.Glossor-Bare\r\n"));

    const radius::Status loaded = radius::Dictionary::load(dir.filePath("dictionary"));
    ASSERT_TRUE(loaded.ok()) << loaded.error().toStdString();
    const auto wide = radius::Dictionary::attribute("Glossor-Test-Attribute-Name-Over-30");
    ASSERT_TRUE(wide.has_value());
    EXPECT_EQ(wide->vendor, 64999u);
    EXPECT_EQ(wide->number, 1u);
    EXPECT_EQ(wide->type, radius::AttributeType::Integer);
    const auto text = radius::Dictionary::attribute("Glossor-Test-Text");
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->type, radius::AttributeType::String);
    EXPECT_EQ(text->number, 255u);
    const auto address = radius::Dictionary::attribute("Glossor-Test-Address");
    ASSERT_TRUE(address.has_value());
    EXPECT_EQ(address->type, radius::AttributeType::Ipv4Address);
    EXPECT_EQ(radius::Dictionary::attribute(2, 64999)->name, "Glossor-Test-Address");
    const auto secret = radius::Dictionary::attribute("Glossor-Wide-Secret");
    ASSERT_TRUE(secret.has_value());
    EXPECT_EQ(secret->vendor, 64998u);
    EXPECT_EQ(secret->number, 300u);
    EXPECT_EQ(secret->encrypt, 2);
    const auto tagged = radius::Dictionary::attribute("Glossor-Wide-Tagged");
    ASSERT_TRUE(tagged.has_value());
    EXPECT_TRUE(tagged->hasTag);
    EXPECT_FALSE(radius::Dictionary::attribute("Glossor-Wide-Gone").has_value());
    radius::Dictionary::unload();
    // Loaded again after a free: the same attributes, values on their own attributes.
    const radius::Status again = radius::Dictionary::loadProgramDictionary();
    ASSERT_TRUE(again.ok()) << again.error().toStdString();
    EXPECT_EQ(radius::Dictionary::attribute("Glossor-Wide-Secret")->number, 300u);
    radius::Dictionary::unload();
}
