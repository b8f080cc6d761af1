#include "dictmanager/AttributeEdit.h"
#include "dictmanager/DictionaryManager.h"
#include "dictmanager/DictionaryNames.h"
#include "dictmanager/QtPrinters.h"
#include "support/TempProgramDir.h"

#include <gtest/gtest.h>

using namespace dictmanager;

TEST(DictionaryNames, RefusesWhatWouldBreakAFileNameOrALine)
{
    for (const char *good : {"Acme", "Acme-2", "a.b", "Caf\xc3\xa9"})
        EXPECT_TRUE(DictionaryNames::isVendorName(QString::fromUtf8(good))) << good;
    for (const char *bad : {"", "a b", "a/b", "a\\b", "..", "x..y", "a#b", "tab\there", "bell\a"})
        EXPECT_FALSE(DictionaryNames::isVendorName(QString::fromUtf8(bad))) << bad;
    EXPECT_TRUE(DictionaryNames::isWord("a/b"));
    EXPECT_FALSE(DictionaryNames::isWord("two words"));
}

TEST(DictionaryManager, CreateVendorChecksInOrder)
{
    testsupport::TempProgramDir dir;
    ASSERT_TRUE(dir.writeFile("dictionary/userdefine/dictionary.Orphan", "VENDOR Other 5"));
    DictionaryManager manager;
    manager.model().vendorList << "Known";
    const QString range = "The vendor code is larger than 65535 or less than 1.";
    struct Case {
        const char *name;
        const char *code;
        QString refusal;
    };
    const Case cases[] = {
        {"", "1", "Vendor name is emply!"},
        {"Glossy", "", "Code is emply!"},
        {"Glossy", "0", range},
        {"Glossy", "00000", range},
        {"Glossy", "65536", range},
        {"Glossy", "12a", range},
        {"Known", "5", "The Vendor Name have existed"},
        {"<None Selected>", "5", "The Vendor Name have existed"},
        {"a/b", "5", DictionaryNames::vendorNameRule()},
        // A name of the installed dictionaries fails the main dictionary's load; a number aliases.
        {"Cisco", "1234", "The vendor name \"Cisco\" is already defined by the installed FreeRADIUS dictionaries."},
        {"cisco", "1234",
         "The vendor name \"cisco\" is already defined by the installed FreeRADIUS dictionaries as \"Cisco\"."},
        {"Glossy", "00009",
         "The vendor code 00009 is already used by the vendor \"Cisco\" of the installed FreeRADIUS dictionaries."},
        {"Orphan", "6",
         "The dictionary file \"" + dir.filePath("dictionary/userdefine/dictionary.Orphan") + "\" exists already."},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(manager.createVendor(c.name, c.code).value_or("created"), c.refusal) << c.name << " " << c.code;
    }
    EXPECT_EQ(manager.model().vendorList, (QStringList{"<None Selected>", "Known"}));
    EXPECT_EQ(dir.readFile("dictionary/userdefine/dictionary.Orphan"), QByteArray("VENDOR Other 5"));

    EXPECT_FALSE(manager.createVendor("Glossy", "00042").has_value());
    EXPECT_FALSE(manager.createVendor("Top", "65535").has_value());
    EXPECT_EQ(dir.readFile("dictionary/userdefine/dictionary.Glossy"), QByteArray("VENDOR  Glossy  00042"));
    EXPECT_EQ(manager.model().vendorList, (QStringList{"<None Selected>", "Known", "Glossy", "Top"}));
    EXPECT_EQ(manager.model().vendorTable, (QList<VendorEntry>{{"Glossy", "00042"}, {"Top", "65535"}}));
    EXPECT_FALSE(manager.model().modified);
}

namespace {
DictionaryModel twoAttributes()
{
    DictionaryModel model;
    model.attributes = {{"A", "1", "integer"}, {"B", "2", "short"}};
    model.attributeList = {"A", "B"};
    model.values = {{"A", "One", "1"}, {"B", "X", "9"}, {"A", "Two", "2"}};
    return model;
}
} // namespace

TEST(AttributeEdit, EditWithoutChangeMovesToTheEndAndKeepsTheValueOrder)
{
    DictionaryModel model = twoAttributes();
    AttributeEdit edit = AttributeEdit::forEdit(model, 0);
    EXPECT_EQ(edit.name, "A");
    EXPECT_EQ(edit.code, "1");
    EXPECT_EQ(edit.dataType, "integer");
    EXPECT_EQ(edit.rows, (QList<AttributeEdit::Row>{{"One", "1"}, {"Two", "2"}}));
    ASSERT_FALSE(edit.check(model).has_value());
    edit.apply(model);
    EXPECT_EQ(model.attributes, (QList<AttributeEntry>{{"B", "2", "short"}, {"A", "1", "integer"}}));
    EXPECT_EQ(model.values, (QList<ValueEntry>{{"B", "X", "9"}, {"A", "One", "1"}, {"A", "Two", "2"}}));
    EXPECT_EQ(model.attributeList, (QStringList{"A", "B"}));
    EXPECT_TRUE(model.modified);

    // Renaming keeps the row's place; the entry moves to the end.
    edit = AttributeEdit::forEdit(model, 1);
    edit.name = "B2";
    ASSERT_FALSE(edit.check(model).has_value());
    edit.apply(model);
    EXPECT_EQ(model.attributeList, (QStringList{"A", "B2"}));
    EXPECT_EQ(model.attributes.last(), (AttributeEntry{"B2", "2", "short"}));
    EXPECT_EQ(model.valuesOf("B"), QList<ValueEntry>());
    EXPECT_EQ(model.valuesOf("B2"), (QList<ValueEntry>{{"B2", "X", "9"}}));

    EXPECT_EQ(AttributeEdit::forEdit(model, 5).dataType, "String");
}

TEST(AttributeEdit, FlagsStayWhileTheDataTypeStays)
{
    DictionaryModel model;
    model.attributes = {{"S", "1", "string", "encrypt=2"}, {"T", "2", "integer", "has_tag"}};
    model.attributeList = {"S", "T"};
    AttributeEdit edit = AttributeEdit::forEdit(model, 0);
    edit.code = "3";
    ASSERT_FALSE(edit.check(model).has_value());
    edit.apply(model);
    EXPECT_EQ(model.attributes.last(), (AttributeEntry{"S", "3", "string", "encrypt=2"}));
    edit = AttributeEdit::forEdit(model, 0);
    edit.dataType = "String";
    edit.apply(model);
    EXPECT_EQ(model.attributes.last(), (AttributeEntry{"S", "3", "String", "encrypt=2"}));
    // Another type: the flags were written for the old one.
    edit = AttributeEdit::forEdit(model, 1);
    edit.dataType = "ipaddr";
    edit.apply(model);
    EXPECT_EQ(model.attributes.last(), (AttributeEntry{"T", "2", "ipaddr"}));
    AttributeEdit added = AttributeEdit::forAdd();
    added.name = "U";
    added.code = "4";
    added.apply(model);
    EXPECT_EQ(model.attributes.last(), (AttributeEntry{"U", "4", "String"}));
}

TEST(AttributeEdit, ChecksAndGridRows)
{
    const DictionaryModel model = twoAttributes();
    using Rows = QList<AttributeEdit::Row>;
    struct Case {
        AttributeEdit::Mode mode;
        const char *name;
        const char *code;
        Rows rows;
        QString refusal;
    };
    const Case cases[] = {
        {AttributeEdit::Mode::Add, "", "1", {}, "Attribute name is empty!"},
        {AttributeEdit::Mode::Add, "C", "", {}, "Attribute code is empty!"},
        {AttributeEdit::Mode::Add, "A", "3", {}, "The Attribute Name have existed!"},
        {AttributeEdit::Mode::Edit, "B", "3", {}, "The Attribute Name have existed!"},
        {AttributeEdit::Mode::Edit, "A", "3", {}, "accepted"},
        {AttributeEdit::Mode::Add,
         "Two Words",
         "3",
         {},
         "The attribute name must be one word, without blanks, \"#\" or control characters."},
        {AttributeEdit::Mode::Add, "C", "256", {}, "The attribute code is larger than 255."},
        {AttributeEdit::Mode::Add, "C", "255", {}, "accepted"},
        {AttributeEdit::Mode::Add, "C", "3", {{"x", "1"}, {"", ""}}, "accepted"},
        {AttributeEdit::Mode::Add, "C", "3", {{"x", "1"}, {"", ""}, {"y", "2"}}, "A value name is empty!"},
        {AttributeEdit::Mode::Add, "C", "3", {{"x", ""}}, "A value  is empty!"},
        // The library refuses a value name given twice, and with it the whole main dictionary.
        {AttributeEdit::Mode::Add, "C", "3", {{"x", "1"}, {"x", ""}}, "The value name \"x\" is given twice."},
        {AttributeEdit::Mode::Add, "C", "3", {{"x", ""}, {"x", "1"}}, "A value  is empty!"},
    };
    for (const Case &c : cases) {
        AttributeEdit edit =
            c.mode == AttributeEdit::Mode::Add ? AttributeEdit::forAdd() : AttributeEdit::forEdit(model, 0);
        edit.name = c.name;
        edit.code = c.code;
        edit.rows = c.rows;
        edit.dataType = "Integer";
        const auto refusal = edit.check(model);
        EXPECT_EQ(refusal ? refusal->text : QString("accepted"), c.refusal) << c.name << " " << c.rows.size();
    }

    DictionaryModel target = model;
    AttributeEdit edit = AttributeEdit::forAdd();
    edit.name = "C";
    edit.code = "3";
    edit.rows = {{"x", "1"}, {"y", "5"}, {"", ""}};
    EXPECT_EQ(edit.check(target)->text, "Named values need the data type integer, byte, short or octets.")
        << "the dialog's first type, \"String\", takes no named values";
    for (const char *type : {"ipaddr", "date", "signed"}) {
        edit.dataType = type;
        EXPECT_TRUE(edit.check(target).has_value()) << type;
    }
    edit.dataType = "short";
    ASSERT_FALSE(edit.check(target).has_value());
    edit.apply(target);
    EXPECT_EQ(target.attributes.last(), (AttributeEntry{"C", "3", "short"}));
    EXPECT_EQ(target.valuesOf("C"), (QList<ValueEntry>{{"C", "x", "1"}, {"C", "y", "5"}}));
    EXPECT_EQ(target.attributeList.last(), "C");
}

TEST(DictionaryModel, DeleteAndMoveRows)
{
    DictionaryModel model = twoAttributes();
    model.moveRow(0, +1);
    EXPECT_EQ(model.attributeList, (QStringList{"B", "A"}));
    EXPECT_EQ(model.attributes.first().name, "A") << "moving touches the rows only";
    model.moveRow(0, -1);
    EXPECT_EQ(model.attributeList, (QStringList{"B", "A"}));
    EXPECT_FALSE(model.modified);

    model.deleteAttributeRow(1);
    EXPECT_EQ(model.attributeList, QStringList{"B"});
    EXPECT_EQ(model.attributes, (QList<AttributeEntry>{{"B", "2", "short"}}));
    EXPECT_EQ(model.values, (QList<ValueEntry>{{"B", "X", "9"}}));
    EXPECT_TRUE(model.modified);
}

TEST(AttributeEdit, CodesUpToWhatTheVendorFormatAllows)
{
    struct Case {
        const char *vendorCode;
        const char *format;
        const char *code;
        QString refusal;
    };
    const QString accepted = "accepted";
    const Case cases[] = {
        {"42", "", "255", accepted},
        {"42", "", "256", "The attribute code is larger than 255."},
        {"42", "", "0", accepted},
        {"42", "format=1,1", "256", "The attribute code is larger than 255."},
        {"42", "format=2,1", "300", accepted},
        {"42", "format=2,1", "65535", accepted},
        {"42", "format=2,1", "65536", "The attribute code is larger than 65535."},
        {"42", "format=2,1", "0", "The attribute code must be at least 1."},
        {"42", "FORMAT=2,2", "4000", accepted},
        {"42", "format=4,0", "99999", accepted},
        // The library's own formats for vendors that declare none.
        {"429", "", "99999", accepted},
        {"4846", "", "300", accepted},
    };
    for (const Case &c : cases) {
        DictionaryModel model;
        model.vendorList << "Wide";
        model.vendorTable = {{"Wide", c.vendorCode, c.format}};
        model.currentVendorIndex = 1;
        AttributeEdit edit = AttributeEdit::forAdd();
        edit.name = "Wide-A";
        edit.code = c.code;
        const std::optional<AttributeEdit::Refusal> refusal = edit.check(model);
        EXPECT_EQ(refusal ? refusal->text : accepted, c.refusal) << c.vendorCode << " " << c.format << " " << c.code;
    }
}

// Each refusal stands for a line that fails the library's load of the whole main dictionary.
TEST(AttributeEdit, DataTypesFlagsAndNamedValuesAsTheLibraryTakesThem)
{
    using Rows = QList<AttributeEdit::Row>;
    const QString accepted = "accepted";
    const auto unknown = [](const char *word) {
        return QString(
                   "The data type \"%1\" is not one the dictionary library knows. Choose one of: string, integer, "
                   "ipaddr, date, octets, ifid, ipv6addr, ipv6prefix, byte, short, signed, integer64, ether, "
                   "ipv4prefix, combo-ip, tlv.")
            .arg(word);
    };
    struct Case {
        const char *format; // of the loaded vendor
        const char *flags;  // of the attribute being edited, as read from its file
        const char *dataType;
        Rows rows;
        QString refusal;
    };
    const Case cases[] = {
        {"", "", "byte", {{"Low", "0"}, {"High", "255"}}, accepted},
        {"",
         "",
         "byte",
         {{"Over", "256"}},
         "The value of \"Over\" must be a number from 0 to 255 for the data type \"byte\": \"256\" given."},
        {"", "", "short", {{"High", "65535"}}, accepted},
        {"",
         "",
         "short",
         {{"Over", "65536"}},
         "The value of \"Over\" must be a number from 0 to 65535 for the data type \"short\": \"65536\" given."},
        {"", "", "integer", {{"High", "4294967295"}, {"Hex", "0x10"}}, accepted},
        {"",
         "",
         "integer",
         {{"Over", "4294967296"}},
         "The value of \"Over\" must be a number from 0 to 4294967295 for the data type \"integer\": \"4294967296\" "
         "given."},
        {"",
         "",
         "integer",
         {{"Sub", "1.2"}},
         "The value of \"Sub\" must be a number from 0 to 4294967295 for the data type \"integer\": \"1.2\" given."},
        {"",
         "",
         "uint8",
         {{"Over", "300"}},
         "The value of \"Over\" must be a number from 0 to 255 for the data type \"uint8\": \"300\" given."},
        {"", "", "signed", {{"One", "1"}}, "Named values need the data type integer, byte, short or octets."},
        {"", "", "integer64", {{"One", "1"}}, "Named values need the data type integer, byte, short or octets."},
        {"", "", "signed", {}, accepted},
        {"", "", "integer64", {}, accepted},
        {"", "", "ether", {}, accepted},
        {"", "", "ipv4prefix", {}, accepted},
        {"", "", "combo-ip", {}, accepted},
        {"", "", "tlv", {}, accepted},
        {"", "", "octets[16]", {}, accepted},
        {"", "", "octets[254]", {}, unknown("octets[254]")},
        {"", "", "text", {}, unknown("text")},
        {"", "", "evs", {}, unknown("evs")},
        {"format=2,1",
         "",
         "tlv",
         {},
         "The data type \"tlv\" needs a vendor with one octet for the attribute number and one for the length."},
        {"format=2,1", "", "combo-ip", {}, accepted},
        // Flags stay while the type stays: the combination must still load.
        {"", "has_tag", "Integer", {}, accepted},
        {"", "has_tag,encrypt=2", "string", {}, accepted},
        {"", "encrypt=1", "string", {}, accepted},
        {"", "encrypt=1", "octets[16]", {}, accepted},
        {"", "array", "ipv6addr", {}, accepted},
        {"", "has_tag", "byte", {}, "The flag \"has_tag\" cannot be used with the data type \"byte\"."},
        {"", "encrypt=3", "octets", {}, "The flag \"encrypt=3\" cannot be used with the data type \"octets\"."},
        {"", "array", "signed", {}, "The flag \"array\" cannot be used with the data type \"signed\"."},
        {"", "concat", "octets", {}, "The flag \"concat\" cannot be used for a vendor's attribute."},
        {"", "bogus", "integer", {}, "The flag \"bogus\" cannot be used for a vendor's attribute."},
    };
    for (const Case &c : cases) {
        DictionaryModel model;
        model.vendorList << "Acme";
        model.vendorTable = {{"Acme", "42", c.format}};
        model.currentVendorIndex = 1;
        model.attributes = {{"Acme-A", "1", c.dataType, c.flags}};
        model.attributeList = {"Acme-A"};
        AttributeEdit edit = AttributeEdit::forEdit(model, 0);
        edit.rows = c.rows;
        const std::optional<AttributeEdit::Refusal> refusal = edit.check(model);
        EXPECT_EQ(refusal ? refusal->text : accepted, c.refusal) << c.dataType << " " << c.flags << " " << c.format;
    }
}
