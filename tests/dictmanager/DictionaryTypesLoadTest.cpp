#include "dictmanager/AttributeEdit.h"
#include "dictmanager/DictionaryManager.h"
#include "dictmanager/QtPrinters.h"
#include "radius/Dictionary.h"
#include "support/TempProgramDir.h"

#include <gtest/gtest.h>

using namespace dictmanager;

// Every data type the attribute dialog offers beyond the classic eight, written by Glossor
// and read by the library. A process of its own: the library loads its dictionary once.
TEST(GlossorTypesInTheMainDictionary, LibraryLoadsEveryOfferedType)
{
    testsupport::TempProgramDir dir;
    DictionaryManager manager;
    manager.startUp();
    ASSERT_FALSE(manager.createVendor("Glossor-Types", "64997").has_value());
    ASSERT_FALSE(manager.chooseVendor(int(manager.model().vendorList.indexOf("Glossor-Types"))).loadFailed);

    const struct {
        const char *name;
        const char *dataType;
        QList<AttributeEdit::Row> values;
        radius::AttributeType expected;
    } attributes[] = {
        {"Glossor-Byte", "byte", {{"Lowest", "0"}, {"Highest", "255"}}, radius::AttributeType::Byte},
        {"Glossor-Short", "short", {{"Highest", "65535"}}, radius::AttributeType::Short},
        {"Glossor-Integer", "integer", {{"Highest", "4294967295"}}, radius::AttributeType::Integer},
        {"Glossor-Signed", "signed", {}, radius::AttributeType::Signed},
        {"Glossor-Integer64", "integer64", {}, radius::AttributeType::Integer64},
        {"Glossor-Ether", "ether", {}, radius::AttributeType::Ethernet},
        {"Glossor-Prefix", "ipv4prefix", {}, radius::AttributeType::Ipv4Prefix},
        {"Glossor-Combo", "combo-ip", {}, radius::AttributeType::ComboIpAddress},
        {"Glossor-Tlv", "tlv", {}, radius::AttributeType::Tlv},
    };
    int code = 1;
    for (const auto &a : attributes) {
        AttributeEdit edit = AttributeEdit::forAdd();
        edit.name = a.name;
        edit.code = QString::number(code++);
        edit.dataType = a.dataType;
        edit.rows = a.values;
        const std::optional<AttributeEdit::Refusal> refusal = edit.check(manager.model());
        ASSERT_FALSE(refusal.has_value()) << a.name << ": " << refusal->text.toStdString();
        edit.apply(manager.model());
    }
    ASSERT_EQ(manager.saveShown(manager.model().currentVendorIndex), QString());
    ASSERT_EQ(manager.rewriteIndex(), QString());

    const radius::Status loaded = radius::Dictionary::load(dir.filePath("dictionary"));
    ASSERT_TRUE(loaded.ok()) << loaded.error().toStdString();
    code = 1;
    for (const auto &a : attributes) {
        const auto info = radius::Dictionary::attribute(a.name);
        ASSERT_TRUE(info.has_value()) << a.name;
        EXPECT_EQ(info->type, a.expected) << a.name;
        EXPECT_EQ(info->vendor, 64997u) << a.name;
        EXPECT_EQ(info->number, unsigned(code++)) << a.name;
    }
    radius::Dictionary::unload();
}
