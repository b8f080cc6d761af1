#include "TfrmTestSupport.h"

#include "platform/Language.h"
#include "platform/ScriptedDialogService.h"
#include "radius/Dictionary.h"
#include "radius/DictionaryFileReader.h"
#include "support/TempProgramDir.h"
#include "taskdef/TfrmPackage.h"

#include <QHeaderView>
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

    // A new packet's editor, shown.
    std::unique_ptr<TfrmPackage> newPacketEditor()
    {
        auto editor = std::make_unique<TfrmPackage>(&catalog);
        editor->setPacket("Packet1", PacketEditMode::Add);
        editor->show();
        return editor;
    }
};

void addRow(QWidget *editor, const QString &attribute, const QString &value)
{
    type(editor, "cboAttr", attribute);
    type(editor, "cboValue", value);
    click(editor, "spbtnAdd");
}

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

// The next packet editor opens at the size the last one was left at.
TEST_F(PacketEditor, TheNextEditorOpensAtTheSizeTheLastWasLeft)
{
    auto first = newPacketEditor();
    first->resize(first->size() + QSize(90, 70));
    const QSize left = first->size();
    QTest::keyClick(first.get(), Qt::Key_Escape);
    ASSERT_FALSE(first->isVisible());
    EXPECT_EQ(newPacketEditor()->size(), left);
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
    EXPECT_EQ(
        dialogs.messageTexts(),
        QStringList({"No a attrbute! Please add a attribute at least", "Attribute is empty!", "Value is empty!"}));
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

// Values are checked through the library's dictionary, the shipped one here.
class CheckedPacketEditor : public PacketEditor {
protected:
    void SetUp() override
    {
        PacketEditor::SetUp();
        ASSERT_TRUE(radius::Dictionary::load(testsupport::TempProgramDir::sourceDataDir() + "/dictionary").ok());
    }
};

TEST_F(CheckedPacketEditor, AddRefusesAValueItsAttributeCannotTakeAndSaysWhy)
{
    const auto owner = newPacketEditor();
    TfrmPackage &editor = *owner;
    struct Refused {
        const char *attribute;
        QString value;
        const char *reason;
    };
    const Refused refused[] = {
        {"NAS-Port", "abc", "NAS-Port needs a number or one of its named values"},
        {"Framed-IP-Address", "10.0.0.300", "Framed-IP-Address needs an IPv4 address"},
        {"Reply-Message", QString(300, 'x'), "at most 253 octets: 300 given"},
        {"Event-Timestamp", "someday", "Event-Timestamp needs a date"},
    };
    for (const Refused &r : refused) {
        dialogs.clear();
        child<QComboBox>(&editor, "cboAttr")->lineEdit()->clear();
        child<QComboBox>(&editor, "cboValue")->lineEdit()->clear();
        addRow(&editor, r.attribute, r.value);
        ASSERT_EQ(dialogs.messages().size(), 1) << r.attribute;
        EXPECT_TRUE(dialogs.lastMessageText().contains(r.reason)) << dialogs.lastMessageText().toStdString();
        EXPECT_EQ(listed(&editor), QStringList());
        // The typed texts stay, to be mended.
        EXPECT_EQ(child<QComboBox>(&editor, "cboValue")->currentText(), r.value);
    }
    dialogs.clear();
    const QList<QPair<QString, QString>> accepted = {
        {"NAS-Port", "\\061\\062"}, // "12" as octal escapes
        {"Framed-IP-Address", "10.0.0.3"},
        {"Reply-Message", QString(253, 'x')},
        {"My-Own-Attr", "anything"}, // not in the dictionary: taken as typed
    };
    for (const auto &[attribute, value] : accepted)
        addRow(&editor, attribute, value);
    EXPECT_EQ(dialogs.messageTexts(), QStringList());
    EXPECT_EQ(listed(&editor).size(), 4);
}

TEST_F(CheckedPacketEditor, RefusalQuotesTheLibrary)
{
    const auto owner = newPacketEditor();
    TfrmPackage &editor = *owner;
    addRow(&editor, "Class", "0xzz");
    const QStringList lines = dialogs.lastMessageText().split('\n');
    ASSERT_EQ(lines.size(), 2) << dialogs.lastMessageText().toStdString();
    EXPECT_EQ(lines[0], "Class needs octets in hexadecimal after 0x such as 0x0a1b2c");
    EXPECT_TRUE(lines[1].startsWith("The dictionary library says: ")) << lines[1].toStdString();
    EXPECT_GT(lines[1].size(), 30);
}

TEST_F(CheckedPacketEditor, ShowsTheTypeOfTheChosenOrTypedAttribute)
{
    const auto owner = newPacketEditor();
    TfrmPackage &editor = *owner;
    auto *shownType = child<QLabel>(&editor, "lblAttrType");
    type(&editor, "cboAttr", "NAS-Port");
    EXPECT_EQ(shownType->text(), "integer");
    choose(child<QComboBox>(&editor, "cboAttr"), 2); // User-Name
    EXPECT_EQ(shownType->text(), "string");
    child<QComboBox>(&editor, "cboAttr")->lineEdit()->clear();
    type(&editor, "cboAttr", "Framed-IPv6-Prefix");
    EXPECT_EQ(shownType->text(), "ipv6prefix");
    child<QComboBox>(&editor, "cboAttr")->lineEdit()->clear();
    type(&editor, "cboAttr", "No-Such-Attr");
    EXPECT_EQ(shownType->text(), "");
}

TEST_F(PacketEditor, FilterFieldsNarrowTheListsKeepingTheirOrder)
{
    const auto owner = newPacketEditor();
    TfrmPackage &editor = *owner;
    auto *vendor = child<QComboBox>(&editor, "cboVendor");
    auto *attribute = child<QComboBox>(&editor, "cboAttr");
    auto *vendorFilter = child<QLineEdit>(&editor, "edtVendorFilter");
    auto *attributeFilter = child<QLineEdit>(&editor, "edtAttrFilter");

    QTest::keyClicks(attributeFilter, "E");
    EXPECT_EQ(items(attribute), QStringList({"Service-Type", "User-Name"}));
    QTest::keyClicks(attributeFilter, "-t");
    EXPECT_EQ(items(attribute), QStringList({"Service-Type"}));
    // Choosing from the narrowed list chooses that attribute.
    choose(attribute, 0);
    EXPECT_EQ(items(child<QComboBox>(&editor, "cboValue")), QStringList({"Login-User", "Framed-User"}));
    // Typed text survives a change of the filter.
    attribute->lineEdit()->clear();
    type(&editor, "cboAttr", "Typed-Name");
    attributeFilter->clear();
    EXPECT_EQ(items(attribute), QStringList({"acct-status", "Service-Type", "User-Name"}));
    EXPECT_EQ(attribute->currentText(), "Typed-Name");

    QTest::keyClicks(vendorFilter, "VEND");
    EXPECT_EQ(items(vendor), QStringList({"VendB", "VendA"}));
    EXPECT_EQ(vendor->currentText(), "VendB");
    EXPECT_EQ(items(attribute), QStringList({"B-first", "b-second"}));
    choose(vendor, 1);
    EXPECT_EQ(items(attribute), QStringList({"A-Thing"}));
    vendorFilter->clear();
    QTest::keyClicks(vendorFilter, "nothing like it");
    EXPECT_EQ(vendor->count(), 0);
    EXPECT_EQ(attribute->count(), 0);
    vendorFilter->clear();
    EXPECT_EQ(items(vendor), QStringList({"General", "Empty", "VendB", "VendA"}));
    EXPECT_EQ(items(attribute), QStringList({"acct-status", "Service-Type", "User-Name"}));
}

TEST_F(PacketEditor, EnterInTheAttributeFieldMovesOnInsteadOfAdding)
{
    const auto owner = newPacketEditor();
    TfrmPackage &editor = *owner;
    activate(&editor);
    auto *value = child<QComboBox>(&editor, "cboValue");
    type(&editor, "cboAttr", "User-Name");
    QTest::keyClick(child<QComboBox>(&editor, "cboAttr")->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(dialogs.messageTexts(), QStringList());
    EXPECT_EQ(listed(&editor), QStringList());
    EXPECT_TRUE(editor.isVisible());
    EXPECT_TRUE(value->hasFocus());
    QTest::keyClicks(value->lineEdit(), "bob");
    QTest::keyClick(value->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(listed(&editor), QStringList({"User-Name=bob"}));
    EXPECT_TRUE(editor.isVisible());
}

TEST_F(PacketEditor, ClosingAfterAChangeAsksFirst)
{
    {
        // Unchanged: Esc closes at once.
        TfrmPackage editor(&catalog);
        editor.setPacket("Packet1", PacketEditMode::Modify, {{"User-Name", "bob", "7", "Packet1"}});
        editor.show();
        QTest::keyClick(&editor, Qt::Key_Escape);
        EXPECT_FALSE(editor.isVisible());
        EXPECT_EQ(dialogs.messageTexts(), QStringList());
    }
    TfrmPackage editor(&catalog);
    editor.setPacket("Packet1", PacketEditMode::Modify, {{"User-Name", "bob", "7", "Packet1"}});
    editor.show();
    addRow(&editor, "Reply-Message", "hi");
    dialogs.queueAnswer(Answer::No);
    QTest::keyClick(&editor, Qt::Key_Escape);
    EXPECT_EQ(dialogs.messageTexts(), QStringList({"Discard your changes?"}));
    EXPECT_EQ(dialogs.messages().first().buttons, platform::MessageButtons::YesNo);
    EXPECT_TRUE(editor.isVisible());
    dialogs.queueAnswer(Answer::No);
    click(&editor, "spbtnCancel");
    EXPECT_TRUE(editor.isVisible());
    dialogs.queueAnswer(Answer::Yes);
    click(&editor, "spbtnCancel");
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(editor.result(), QDialog::Rejected);
    EXPECT_EQ(dialogs.messages().size(), 3);
}

TEST_F(PacketEditor, AttributeColumnFitsTheLongestName)
{
    TfrmPackage editor(&catalog);
    editor.setPacket("Packet1", PacketEditMode::Modify, {{"Acct-Status-Type", "Start", "7", "Packet1"}});
    editor.show();
    auto *list = child<QTreeWidget>(&editor, "lvwArrList");
    const int needed = list->fontMetrics().horizontalAdvance("Acct-Status-Type");
    EXPECT_GE(list->columnWidth(0), needed);
    addRow(&editor, "Framed-IP-Address-And-Then-Some", "x");
    EXPECT_GE(list->columnWidth(0), list->fontMetrics().horizontalAdvance("Framed-IP-Address-And-Then-Some"));
    EXPECT_TRUE(list->header()->stretchLastSection());
}

TEST_F(PacketEditor, OpensShowingEveryControlInBothLanguages)
{
    for (const char *language : {"English", "简体中文"}) {
        ASSERT_TRUE(platform::Language::setCurrentName(QString::fromUtf8(language)));
        TfrmPackage editor(&catalog);
        editor.setPacket("Packet1", PacketEditMode::Add);
        editor.show();
        expectNothingCut(&editor, language);
    }
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
