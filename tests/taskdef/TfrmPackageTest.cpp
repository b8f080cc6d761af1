#include "TfrmTestSupport.h"

#include "platform/ScriptedDialogService.h"
#include "radius/DictionaryFileReader.h"
#include "support/TempProgramDir.h"
#include "taskdef/TfrmPackage.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTreeWidget>

using namespace formtest;
using platform::Answer;
using taskdef::AttributeRow;
using taskdef::PacketEditMode;
using taskdef::TfrmPackage;

namespace {

QStringList items(QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

QStringList listed(QWidget *window)
{
    auto *list = child<QTreeWidget>(window, "lvwArrList");
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(0) + "=" + list->topLevelItem(i)->text(1);
    return texts;
}

void type(QWidget *window, const char *name, const QString &text)
{
    auto *combo = child<QComboBox>(window, name);
    combo->setFocus();
    QTest::keyClicks(combo->lineEdit(), text);
}

class PacketEditor : public ::testing::Test {
protected:
    testsupport::TempProgramDir dir;
    platform::ScriptedDialogService dialogs;
    radius::DictionaryCatalog catalog;

    void SetUp() override
    {
        // Vendors defined A, B, Empty; a vendor attribute numbered like a standard one.
        ASSERT_TRUE(dir.writeFile("dictionary/dictionary",
                                  "ATTRIBUTE\tUser-Name\t1\tstring\n"
                                  "ATTRIBUTE\tService-Type\t6\tinteger\n"
                                  "ATTRIBUTE\tacct-status\t40\tinteger\n"
                                  "VALUE\tService-Type\tFramed-User\t2\n"
                                  "VALUE\tService-Type\tLogin-User\t1\n"
                                  "VALUE\tacct-status\tStart\t1\n"
                                  "VENDOR\tVendA\t1001\n"
                                  "VENDOR\tVendB\t1002\n"
                                  "VENDOR\tEmpty\t1003\n"
                                  "BEGIN-VENDOR\tVendA\n"
                                  "ATTRIBUTE\tA-Thing\t1\tinteger\n"
                                  "VALUE\tA-Thing\tOne\t1\n"
                                  "END-VENDOR\tVendA\n"
                                  "BEGIN-VENDOR\tVendB\n"
                                  "ATTRIBUTE\tb-second\t2\tstring\n"
                                  "ATTRIBUTE\tB-first\t1\tstring\n"
                                  "END-VENDOR\tVendB\n"));
        catalog = radius::DictionaryFileReader::read(dir.filePath("dictionary/dictionary"));
    }
};

TEST_F(PacketEditor, BrowsesVendorsAttributesAndValuesByTheirRules)
{
    TfrmPackage editor(&catalog);
    editor.setPacket("Packet1", PacketEditMode::Add);
    editor.show();
    auto *vendor = child<QComboBox>(&editor, "cboVendor");
    auto *attribute = child<QComboBox>(&editor, "cboAttr");
    auto *value = child<QComboBox>(&editor, "cboValue");

    EXPECT_EQ(items(vendor), QStringList({"General", "Empty", "VendB", "VendA"}));
    EXPECT_EQ(vendor->currentText(), "General");
    EXPECT_EQ(items(attribute), QStringList({"acct-status", "Service-Type", "User-Name"}));

    choose(attribute, 1);
    EXPECT_EQ(items(value), QStringList({"Login-User", "Framed-User"}));
    choose(attribute, 2); // User-Name: no values, and none of VendA's attribute 1
    EXPECT_EQ(items(value), QStringList());

    // Typing a name is not choosing it.
    attribute->lineEdit()->clear();
    type(&editor, "cboAttr", "Service-Type");
    EXPECT_EQ(items(value), QStringList());

    type(&editor, "cboValue", "typed");
    choose(vendor, 3);
    EXPECT_EQ(items(attribute), QStringList({"A-Thing"}));
    EXPECT_TRUE(attribute->currentText().isEmpty());
    EXPECT_TRUE(value->currentText().isEmpty());
    choose(attribute, 0);
    EXPECT_EQ(items(value), QStringList({"One"}));

    choose(vendor, 2);
    EXPECT_EQ(items(attribute), QStringList({"B-first", "b-second"}));
    choose(vendor, 1);
    EXPECT_EQ(items(attribute), QStringList());

    EXPECT_EQ(child<QLabel>(&editor, "lblSpecial1")->text(),
              "To enter special chars(eg:#{};'()=<>),Please use a backslash (\\)  to remove");
    EXPECT_EQ(child<QLabel>(&editor, "lblSpecial2")->text(),
              " the special meaning. eg: enter abc\\#123 instead of abc#123");
}

TEST_F(PacketEditor, LeavingATypedAttributeChoosesNothing)
{
    TfrmPackage editor(&catalog);
    editor.setPacket("Packet1", PacketEditMode::Add);
    editor.show();
    activate(&editor);
    auto *attribute = child<QComboBox>(&editor, "cboAttr");
    auto *value = child<QComboBox>(&editor, "cboValue");
    type(&editor, "cboValue", "Typed");
    type(&editor, "cboAttr", "Service-Type");
    QSignalSpy changed(attribute, &QComboBox::currentIndexChanged);
    QSignalSpy activated(attribute, &QComboBox::activated);
    tabAway(attribute);
    EXPECT_EQ(attribute->currentIndex(), -1);
    EXPECT_EQ(attribute->currentText(), "Service-Type");
    EXPECT_EQ(changed.size(), 0);
    EXPECT_EQ(activated.size(), 0);
    EXPECT_EQ(value->currentText(), "Typed");
    EXPECT_EQ(items(value), QStringList());

    // A typed value that is also an item stays typed too.
    choose(attribute, 1);
    type(&editor, "cboValue", "Login-User");
    QSignalSpy valueChanged(value, &QComboBox::currentIndexChanged);
    tabAway(value);
    EXPECT_EQ(valueChanged.size(), 0);
    EXPECT_EQ(value->currentText(), "Login-User");
    click(&editor, "spbtnAdd");
    EXPECT_EQ(listed(&editor), QStringList({"Service-Type=Login-User"}));
}

TEST_F(PacketEditor, AddKeepsAnEscapedBlankAtTheEnd)
{
    TfrmPackage editor(&catalog);
    editor.setPacket("Packet1", PacketEditMode::Add);
    editor.show();
    type(&editor, "cboAttr", " User-Name ");
    type(&editor, "cboValue", "  x\\ ");
    click(&editor, "spbtnAdd");
    type(&editor, "cboAttr", "Reply-Message");
    type(&editor, "cboValue", " y\\\\ ");
    click(&editor, "spbtnAdd");
    // An escaped blank is part of the value; an escaped backslash does not escape the blank after it.
    EXPECT_EQ(listed(&editor), QStringList({"User-Name=x\\ ", "Reply-Message=y\\\\"}));
}

TEST_F(PacketEditor, AddRemoveClearAndOkHandRowsBack)
{
    TfrmPackage editor(&catalog);
    editor.setPacket("Packet3", PacketEditMode::Add);
    editor.show();
    auto *remove = child<QWidget>(&editor, "spbtnRemove");
    auto *clear = child<QWidget>(&editor, "spbtnClear");
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_FALSE(clear->isEnabled());

    click(&editor, "spbtnOK");
    click(&editor, "spbtnAdd");
    type(&editor, "cboAttr", "User-Name");
    click(&editor, "spbtnAdd");
    EXPECT_EQ(dialogs.messageTexts(), QStringList({"No a attrbute! Please add a attribute at least",
                                                   "Attribute is empty!", "Value is empty!"}));
    EXPECT_TRUE(editor.isVisible());

    type(&editor, "cboValue", " bob ");
    click(&editor, "spbtnAdd");
    EXPECT_TRUE(child<QComboBox>(&editor, "cboAttr")->currentText().isEmpty());
    type(&editor, "cboAttr", "User-Name");
    type(&editor, "cboValue", "abc\\#123");
    click(&editor, "spbtnAdd");
    type(&editor, "cboAttr", "No-Such-Attr");
    type(&editor, "cboValue", "x");
    click(&editor, "spbtnAdd");
    EXPECT_EQ(listed(&editor), QStringList({"User-Name=bob", "User-Name=abc\\#123", "No-Such-Attr=x"}));
    EXPECT_TRUE(remove->isEnabled()); // the new row is selected
    EXPECT_TRUE(clear->isEnabled());

    click(&editor, "spbtnRemove");
    EXPECT_EQ(listed(&editor), QStringList({"User-Name=bob", "User-Name=abc\\#123"}));

    dialogs.queueAnswer(Answer::Cancel);
    click(&editor, "spbtnClear");
    EXPECT_EQ(listed(&editor).size(), 2);

    click(&editor, "spbtnOK");
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    const QList<AttributeRow> rows = editor.rows();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1].value, "abc\\#123");
    EXPECT_EQ(rows[0].packageId, "Packet3");
    EXPECT_NE(rows[0].id, rows[1].id);
}

TEST_F(PacketEditor, ModifyStartsFromTheGivenRows)
{
    TfrmPackage editor(&catalog);
    editor.setPacket(" Packet2 ", PacketEditMode::Modify,
                     {{"User-Name", "bob", "7", "Packet2"}, {"Service-Type", "Login-User", "9", "Packet2"}});
    EXPECT_EQ(editor.packetName(), "Packet2");
    EXPECT_EQ(listed(&editor), QStringList({"User-Name=bob", "Service-Type=Login-User"}));
    EXPECT_EQ(editor.rows()[1].id, "9");

    editor.show();
    dialogs.queueAnswer(Answer::Ok);
    click(&editor, "spbtnClear");
    EXPECT_EQ(listed(&editor), QStringList());
    EXPECT_FALSE(child<QWidget>(&editor, "spbtnClear")->isEnabled());
}

TEST_F(PacketEditor, WithoutDictionaryOffersGeneralAndTyping)
{
    TfrmPackage editor(nullptr);
    editor.setPacket("Packet1", PacketEditMode::Add);
    editor.show();
    EXPECT_EQ(items(child<QComboBox>(&editor, "cboVendor")), QStringList({"General"}));
    EXPECT_EQ(child<QComboBox>(&editor, "cboAttr")->count(), 0);
    type(&editor, "cboAttr", "User-Name");
    type(&editor, "cboValue", "bob");
    click(&editor, "spbtnAdd");
    EXPECT_EQ(listed(&editor), QStringList({"User-Name=bob"}));
}

TEST(PacketEditorInstalledDictionary, OffersTheRealVendorsAndValues)
{
    testsupport::TempProgramDir dir; // holds the shipped main dictionary
    const radius::DictionaryCatalog installed = radius::DictionaryFileReader::readProgramDictionary();
    TfrmPackage editor(&installed);
    editor.show();
    const QStringList vendors = items(child<QComboBox>(&editor, "cboVendor"));
    EXPECT_EQ(vendors.first(), "General");
    EXPECT_TRUE(vendors.contains("Cisco"));
    EXPECT_GT(vendors.size(), 50);

    auto *attribute = child<QComboBox>(&editor, "cboAttr");
    const QStringList general = items(attribute);
    EXPECT_TRUE(general.contains("User-Name"));
    QStringList sorted = general;
    std::sort(sorted.begin(), sorted.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    EXPECT_EQ(general, sorted);

    choose(attribute, int(general.indexOf("Service-Type")));
    const QStringList values = items(child<QComboBox>(&editor, "cboValue"));
    // In number order: Login-User (1) before Framed-User (2), and no other attribute's values.
    ASSERT_TRUE(values.contains("Login-User") && values.contains("Framed-User"));
    EXPECT_LT(values.indexOf("Login-User"), values.indexOf("Framed-User"));
    EXPECT_FALSE(values.contains("Start"));
}

} // namespace
