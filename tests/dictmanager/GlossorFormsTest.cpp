#include "dictmanager/DictionaryManager.h"
#include "dictmanager/DictionaryModel.h"
#include "dictmanager/QtPrinters.h"
#include "dictmanager/TfrmAttr.h"
#include "dictmanager/TfrmMain.h"
#include "dictmanager/TfrmVendor.h"
#include "platform/Language.h"
#include "platform/ScriptedDialogService.h"
#include "support/TempProgramDir.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusTipEvent>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace dictmanager;
using platform::Answer;

namespace {
template <typename T>
T *child(QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void click(QObject *parent, const char *name)
{
    QTest::mouseClick(child<QAbstractButton>(parent, name), Qt::LeftButton);
}

// What a user's pick in a drop-down does.
void choose(QComboBox *box, const QString &text)
{
    const int index = box->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
}

// Runs the steps against the modal dialog that the action opens, then waits for it.
void withModal(const std::function<void(QWidget *)> &steps, const std::function<void()> &open)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        steps(modal);
        ran = true;
        if (modal->isVisible())
            static_cast<QDialog *>(modal)->reject();
    });
    open();
    EXPECT_TRUE(ran);
}

const QByteArray acmeFile =
    "VENDOR Acme 42\r\nATTRIBUTE Acme-A 1 string\r\nATTRIBUTE Acme-B 2 integer\r\n"
    "VALUE Acme-B Off 0\r\nVALUE Acme-B On 1\r\n";
} // namespace

TEST(TfrmVendor, DigitsOnlyCodeAndItsChecks)
{
    testsupport::TempProgramDir dir;
    platform::ScriptedDialogService dialogs;
    DictionaryManager manager;
    TfrmVendor form(manager);
    form.show();
    EXPECT_EQ(form.objectName(), "frmVendor");
    EXPECT_EQ(form.windowTitle(), "Add Vendor");
    auto *code = child<QLineEdit>(&form, "edtCode");
    QTest::keyClicks(code, "1a2-3 ");
    EXPECT_EQ(code->text(), "123");
    QTest::keyClick(code, Qt::Key_Backspace);
    EXPECT_EQ(code->text(), "123") << "backspace is refused like any other non-digit";
    QTest::keyClick(code, Qt::Key_Home);
    QTest::keyClick(code, Qt::Key_Delete);
    EXPECT_EQ(code->text(), "23");
    code->selectAll();
    QTest::keyClicks(code, "6553699");
    EXPECT_EQ(code->text(), "65536");

    QTest::keyClicks(child<QLineEdit>(&form, "edtVendor"), "Glossy");
    click(&form, "btnOK");
    EXPECT_EQ(dialogs.lastMessageText(), "The vendor code is larger than 65535 or less than 1.");
    EXPECT_TRUE(form.isVisible());

    // A number of the installed dictionaries is refused like a bad one.
    code->selectAll();
    QTest::keyClicks(code, "9");
    click(&form, "btnOK");
    EXPECT_EQ(dialogs.lastMessageText(),
              "The vendor code 9 is already used by the vendor \"Cisco\" of the installed FreeRADIUS dictionaries.");
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(QFile::exists(dir.filePath("dictionary/userdefine/dictionary.Glossy")));

    code->selectAll();
    QTest::keyClicks(code, "00042");
    click(&form, "btnOK");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(dir.readFile("dictionary/userdefine/dictionary.Glossy"), QByteArray("VENDOR  Glossy  00042"));
    EXPECT_EQ(manager.model().vendorList.last(), "Glossy");
}

TEST(TfrmAttr, GridRowsDigitsAndChecks)
{
    platform::ScriptedDialogService dialogs;
    DictionaryModel model;
    model.attributes = {{"Taken", "1", "string"}};
    model.attributeList = {"Taken"};
    TfrmAttr form(model, AttributeEdit::forAdd());
    form.show();
    EXPECT_EQ(child<QLabel>(&form, "lblFlag")->text(), "add");
    EXPECT_EQ(child<QComboBox>(&form, "cboDataType")->currentText(), "String");

    click(&form, "spbtnOK");
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().last().text, "Attribute name is empty!");
    EXPECT_EQ(dialogs.messages().last().icon, platform::MessageIcon::Information);

    auto *grid = child<QTableWidget>(&form, "ValueListEdt");
    ASSERT_EQ(grid->rowCount(), 1);
    grid->setCurrentCell(0, 0);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->rowCount(), 2) << "down arrow on the last row appends one";
    grid->setCurrentCell(0, 0);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->rowCount(), 2) << "not on the last row: just moves";

    grid->setCurrentCell(0, 0);
    QTest::keyClick(grid, 'O');
    auto *nameEditor = grid->viewport()->findChild<QLineEdit *>();
    ASSERT_NE(nameEditor, nullptr);
    QTest::keyClicks(nameEditor, "n 1");
    grid->setCurrentCell(0, 1); // leaves the cell: its text is taken
    QTest::keyClick(grid, '7');
    QLineEdit *valueEditor = nullptr;
    for (QLineEdit *edit : grid->viewport()->findChildren<QLineEdit *>()) {
        if (edit->isVisible())
            valueEditor = edit;
    }
    ASSERT_NE(valueEditor, nullptr);
    QTest::keyClicks(valueEditor, "x8");
    QTest::keyClick(valueEditor, Qt::Key_Backspace);
    EXPECT_EQ(valueEditor->text(), "78");

    QTest::keyClicks(child<QLineEdit>(&form, "edtAttrName"), "Taken");
    QTest::keyClicks(child<QLineEdit>(&form, "edtAttrCode"), "2z6");
    click(&form, "spbtnOK");
    EXPECT_EQ(dialogs.lastMessageText(), "The Attribute Name have existed!");
    EXPECT_EQ(dialogs.messages().last().icon, platform::MessageIcon::None);
    EXPECT_TRUE(form.isVisible());

    child<QLineEdit>(&form, "edtAttrName")->setText("Fresh");
    click(&form, "spbtnOK");
    EXPECT_EQ(dialogs.lastMessageText(), "A value name must be one word, without blanks, \"#\" or control characters.");
    grid->item(0, 0)->setText("On");
    child<QComboBox>(&form, "cboDataType")->setEditText("integer");
    click(&form, "spbtnOK");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(model.attributes.last(), (AttributeEntry{"Fresh", "26", "integer"}));
    EXPECT_EQ(model.values, (QList<ValueEntry>{{"Fresh", "On", "78"}})) << "trailing empty row dropped";
    EXPECT_TRUE(model.modified);
}

namespace {
// Keys as a user types them: each goes to whatever has the focus.
void typeKeys(const QString &keys)
{
    for (const QChar c : keys)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

void pressKey(Qt::Key key)
{
    QTest::keyClick(QApplication::focusWidget(), key);
}
} // namespace

TEST(TfrmAttr, TypingWithTabAndDownFillsTheCellsInTurn)
{
    platform::ScriptedDialogService dialogs;
    DictionaryModel model;
    TfrmAttr form(model, AttributeEdit::forAdd());
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClicks(child<QLineEdit>(&form, "edtAttrName"), "Mode");
    QTest::keyClicks(child<QLineEdit>(&form, "edtAttrCode"), "5");
    child<QComboBox>(&form, "cboDataType")->setEditText("integer");

    auto *grid = child<QTableWidget>(&form, "ValueListEdt");
    grid->setFocus();
    grid->setCurrentCell(0, 0);
    typeKeys("Low");
    pressKey(Qt::Key_Tab);
    typeKeys("1");
    pressKey(Qt::Key_Down);
    typeKeys("High");
    pressKey(Qt::Key_Tab);
    typeKeys("2");
    pressKey(Qt::Key_Down);
    typeKeys("Top");
    pressKey(Qt::Key_Tab);
    typeKeys("30");
    click(&form, "spbtnOK");
    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.messageTexts().join("; ").toStdString();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(model.values, (QList<ValueEntry>{{"Mode", "Low", "1"}, {"Mode", "High", "2"}, {"Mode", "Top", "30"}}));
}

TEST(TfrmMain, ChooseEditSwitchAndClose)
{
    testsupport::TempProgramDir dir;
    dir.writeFile("dictionary/userdefine/dictionary.Acme", acmeFile);
    dir.writeFile("dictionary/userdefine/dictionary.Zed", "VENDOR Zed 7\n");
    platform::ScriptedDialogService dialogs;
    auto form = std::make_unique<TfrmMain>();
    form->show();
    EXPECT_EQ(form->windowTitle(), "Dictionary Manager");
    auto *vendors = child<QComboBox>(form.get(), "cboVendorList");
    auto *list = child<QTreeWidget>(form.get(), "lvwAttrList");
    auto *count = child<QLabel>(form.get(), "StatusBarPanel0");
    EXPECT_EQ(vendors->count(), 3);
    EXPECT_EQ(vendors->currentText(), "<None Selected>");
    EXPECT_EQ(count->text(), "0   attributes");

    child<QAction>(form.get(), "pmAdd")->trigger();
    EXPECT_EQ(dialogs.lastMessageText(), "Please select a vendor before add  attributes in vendors list!");

    choose(vendors, "Acme");
    EXPECT_EQ(child<QLineEdit>(form.get(), "edtVendorCode")->text(), "42");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(count->text(), " 2 attributes");
    EXPECT_FALSE(child<QAction>(form.get(), "pmEdit")->isEnabled());
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(child<QLineEdit>(form.get(), "edtAttrCode")->text(), "2");
    EXPECT_EQ(child<QLineEdit>(form.get(), "edtDataType")->text(), "integer");
    auto *details = child<QTableWidget>(child<QWidget>(form.get(), "Default"), "ValueListEdt");
    ASSERT_EQ(details->rowCount(), 2);
    EXPECT_EQ(details->item(0, 0)->text(), "Off") << "values shown in the file's order";
    EXPECT_TRUE(child<QAction>(form.get(), "pmMoveUp")->isEnabled());
    EXPECT_FALSE(child<QAction>(form.get(), "pmMoveDown")->isEnabled());

    child<QAction>(form.get(), "pmMoveUp")->trigger();
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Acme-B");
    EXPECT_EQ(list->currentIndex().row(), 1);

    // Edit without a change: the attribute moves to the end of the store.
    list->setCurrentItem(list->topLevelItem(0));
    withModal(
        [](QWidget *dialog) {
            EXPECT_EQ(dialog->objectName(), "frmAttr");
            EXPECT_EQ(child<QLineEdit>(dialog, "edtAttrName")->text(), "Acme-B");
            EXPECT_EQ(child<QLabel>(dialog, "lblFlag")->text(), "edit");
            click(dialog, "spbtnOK");
        },
        [&] { child<QAction>(form.get(), "pmEdit")->trigger(); });

    choose(vendors, "Zed"); // switch save of Acme
    EXPECT_EQ(dir.readFile("dictionary/userdefine/dictionary.Acme"),
              QByteArray("VENDOR Acme 42\r\n\r\nBEGIN-VENDOR Acme\r\n"
                         "ATTRIBUTE Acme-A 1 string\r\n"
                         "ATTRIBUTE Acme-B 2 integer\r\n\r\n"
                         "VALUE Acme-B Off 0\r\n"
                         "VALUE Acme-B On 1\r\n\r\n"
                         "END-VENDOR Acme"))
        << "nothing changed: every line as it was read, the values in their order";
    EXPECT_EQ(count->text(), " 0 attributes");

    QStatusTipEvent tip(child<QAction>(form.get(), "pmDel")->statusTip());
    child<QAction>(form.get(), "pmDel")->showStatusText();
    EXPECT_EQ(child<QLabel>(form.get(), "StatusBarPanel1")->text(), " Delete the selected attribute");
    QStatusTipEvent comboTip(vendors->statusTip());
    QApplication::sendEvent(vendors, &comboTip);
    EXPECT_EQ(child<QLabel>(form.get(), "StatusBarPanel1")->text(), "  The vendors list");

    const QStringList order = form->manager().model().vendorList.mid(1);
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(dir.readFile("dictionary/userdefine/dictionary.Zed"), QByteArray("VENDOR Zed 7\n"))
        << "Zed was shown but not changed: its file stays as it was";
    EXPECT_EQ(dir.readFile("dictionary/userdefine/dictionary"),
              ("$INCLUDE dictionary." + order.join("\r\n$INCLUDE dictionary.") + "\r\n").toUtf8());
}

TEST(TfrmMain, NewVendorAddAttributeAndDelete)
{
    testsupport::TempProgramDir dir;
    platform::ScriptedDialogService dialogs;
    TfrmMain form;
    form.show();
    auto *vendors = child<QComboBox>(&form, "cboVendorList");
    withModal(
        [](QWidget *dialog) {
            EXPECT_EQ(dialog->objectName(), "frmVendor");
            QTest::keyClicks(child<QLineEdit>(dialog, "edtVendor"), "Glossy");
            QTest::keyClicks(child<QLineEdit>(dialog, "edtCode"), "8");
            click(dialog, "btnOK");
        },
        [&] { click(&form, "spbtnAdd"); });
    EXPECT_EQ(vendors->count(), 2);
    EXPECT_EQ(vendors->currentIndex(), 0) << "a new vendor is not selected";

    choose(vendors, "Glossy");
    withModal(
        [](QWidget *dialog) {
            QTest::keyClicks(child<QLineEdit>(dialog, "edtAttrName"), "Glossy-A");
            QTest::keyClicks(child<QLineEdit>(dialog, "edtAttrCode"), "1");
            click(dialog, "spbtnOK");
        },
        [&] { child<QAction>(&form, "pmAdd")->trigger(); });
    auto *list = child<QTreeWidget>(&form, "lvwAttrList");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(child<QLabel>(&form, "StatusBarPanel0")->text(), " 1 attributes");

    list->setCurrentItem(list->topLevelItem(0));
    dialogs.queueAnswer(Answer::Cancel);
    child<QAction>(&form, "pmDel")->trigger();
    EXPECT_EQ(dialogs.lastMessageText(), "Delete the selected atttbute?");
    EXPECT_EQ(list->topLevelItemCount(), 1);
    dialogs.queueAnswer(Answer::Ok);
    child<QAction>(&form, "pmDel")->trigger();
    EXPECT_EQ(list->topLevelItemCount(), 0);

    // Entering the delete page saves the shown vendor and leaves the box on the placeholder.
    click(&form, "spbtnDelDict");
    EXPECT_EQ(vendors->currentIndex(), 0);
    EXPECT_EQ(dir.readFile("dictionary/userdefine/dictionary.Glossy"),
              QByteArray("VENDOR  Glossy  8\r\n\r\nBEGIN-VENDOR Glossy\r\n\r\n\r\nEND-VENDOR Glossy"));
    EXPECT_EQ(dir.readFile("dictionary/userdefine/dictionary"), QByteArray("$INCLUDE dictionary.Glossy\r\n"));
    auto *deleteBox = child<QComboBox>(&form, "cboDelVendors");
    auto *deleteButton = child<QAbstractButton>(&form, "spbtnDeleteDict");
    EXPECT_FALSE(deleteButton->isEnabled());
    choose(deleteBox, "Glossy");
    EXPECT_TRUE(deleteButton->isEnabled());
    dialogs.queueAnswer(Answer::Ok);
    click(&form, "spbtnDeleteDict");
    EXPECT_EQ(dialogs.lastMessageText(), "Delete the dictionary file?");
    EXPECT_FALSE(QFile::exists(dir.filePath("dictionary/userdefine/dictionary.Glossy")));
    EXPECT_EQ(deleteBox->count(), 1);
    EXPECT_FALSE(deleteButton->isEnabled()) << "nothing left to delete";
    const qsizetype asked = dialogs.messages().size();
    click(&form, "spbtnDeleteDict");
    EXPECT_EQ(dialogs.messages().size(), asked);
    EXPECT_TRUE(QFile::exists(dir.filePath("dictionary/userdefine/dictionary")));

    form.close();
    EXPECT_EQ(dir.readFile("dictionary/userdefine/dictionary"), QByteArray());
}

TEST(TfrmMain, UploadExportAndEditDictReload)
{
    testsupport::TempProgramDir dir;
    dir.writeFile("dictionary/userdefine/dictionary.Acme", acmeFile);
    dir.writeFile("in/new.txt", "# new\nVENDOR New 6\nATTRIBUTE New-A\n");
    platform::ScriptedDialogService dialogs;
    TfrmMain form;
    form.show();
    auto *notebook = child<QStackedWidget>(&form, "Notebook");
    auto *pane = child<QPlainTextEdit>(&form, "memErrMsg");

    click(&form, "spbtnUpload");
    EXPECT_EQ(notebook->currentWidget()->objectName(), "UploadDict");
    EXPECT_TRUE(pane->toPlainText().startsWith("The Dictionary File Format:\n"));
    EXPECT_FALSE(child<QAbstractButton>(&form, "spbtnUploadDict")->isEnabled());
    dialogs.queueFileName(dir.filePath("in/new.txt"));
    click(&form, "spbtnBrowse");
    EXPECT_EQ(child<QLineEdit>(&form, "edtFilePath")->text(), dir.filePath("in/new.txt"));
    click(&form, "spbtnUploadDict");
    EXPECT_EQ(pane->toPlainText(), "[Error] in the ATTRIBUTE line 3");
    EXPECT_FALSE(QFile::exists(dir.filePath("dictionary/userdefine/dictionary.New")));

    dir.writeFile("in/new.txt", "VENDOR New 6\nATTRIBUTE New-A 1 string\n");
    click(&form, "spbtnUploadDict");
    EXPECT_TRUE(pane->toPlainText().endsWith("\nUpload dictionary file success."));
    EXPECT_EQ(dir.readFile("dictionary/userdefine/dictionary"), QByteArray("$INCLUDE dictionary.New\r\n"));
    EXPECT_GE(child<QComboBox>(&form, "cboVendorList")->findText("New"), 1);

    click(&form, "spbtnExport");
    auto *exportButton = child<QAbstractButton>(&form, "spbtnExeExport");
    EXPECT_FALSE(exportButton->isEnabled());
    choose(child<QComboBox>(&form, "cboVendors"), "Acme");
    EXPECT_TRUE(exportButton->isEnabled());
    click(&form, "spbtnExeExport"); // cancelled: nothing written
    EXPECT_EQ(dialogs.fileRequestCount(), 2);
    dialogs.queueFileName(dir.filePath("acme.txt"));
    click(&form, "spbtnExeExport");
    EXPECT_EQ(dir.readFile("acme.txt"), acmeFile);

    // Back to the editor: the vendors anew, nothing chosen.
    click(&form, "spbtnNew");
    EXPECT_EQ(notebook->currentWidget()->objectName(), "Default");
    EXPECT_EQ(form.manager().model().vendorList.size(), 3);
    EXPECT_EQ(form.manager().model().currentVendorIndex, 0);
}

// Through the real file dialog: the texts as given, and "All Files (*.*)" lists every file,
// a name without a dot included.
TEST(TfrmMain, AllFilesFilterListsEveryFile)
{
    testsupport::TempProgramDir dir;
    ASSERT_TRUE(dir.writeFile("in/new.txt", "VENDOR New 6\n"));
    ASSERT_TRUE(dir.writeFile("in/README", "VENDOR Readme 7\n"));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.filePath("in"))); // where the dialog opens
    TfrmMain form;
    form.show();
    click(&form, "spbtnUpload");
    QStringList filters;
    QStringList listed;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        auto *files = dialog->findChild<QFileSystemModel *>();
        if (types && files) {
            QTest::keyClick(types, Qt::Key_End); // the user picks the last filter
            const auto shown = [&] {
                listed.clear();
                const QModelIndex folder = files->index(dir.filePath("in"));
                for (int row = 0; row < files->rowCount(folder); ++row) {
                    const QModelIndex entry = files->index(row, 0, folder);
                    if (files->flags(entry) & Qt::ItemIsEnabled)
                        listed << entry.data().toString();
                }
                listed.sort();
                return listed.contains("new.txt");
            };
            EXPECT_TRUE(QTest::qWaitFor(shown, 10000));
        }
        dialog->reject();
    });
    click(&form, "spbtnBrowse");
    QDir::setCurrent(previous);
    EXPECT_EQ(filters, (QStringList{"Text Files (*.txt)", "Doc Files (*.doc)", "All Files (*.*)"}));
    EXPECT_EQ(listed, (QStringList{"README", "new.txt"}));
}

TEST(TfrmMain, CloseAsksWhenItCannotSave)
{
    testsupport::TempProgramDir dir;
    platform::ScriptedDialogService dialogs;
    QFile::remove(dir.filePath("dictionary/userdefine/dictionary"));
    QDir().mkpath(dir.filePath("dictionary/userdefine/dictionary/blocked"));
    TfrmMain form;
    form.show();
    dialogs.queueAnswer(Answer::No);
    form.close();
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(dialogs.lastMessageText().contains("Close anyway?")) << dialogs.lastMessageText().toStdString();
    dialogs.queueAnswer(Answer::Yes);
    form.close();
    EXPECT_FALSE(form.isVisible());
}

namespace {
DictionaryModel oneIntegerAttribute()
{
    DictionaryModel model;
    model.attributes = {{"Acme-B", "2", "integer"}};
    model.values = {{"Acme-B", "Off", "0"}};
    model.attributeList = {"Acme-B"};
    return model;
}
} // namespace

TEST(TfrmAttr, EscOrCancelAsksBeforeDroppingAChange)
{
    const std::function<void(TfrmAttr &)> closers[] = {
        [](TfrmAttr &form) { QTest::keyClick(child<QLineEdit>(&form, "edtAttrName"), Qt::Key_Escape); },
        [](TfrmAttr &form) { click(&form, "spbtnCancel"); },
    };
    for (const auto &closeBy : closers) {
        platform::ScriptedDialogService dialogs;
        DictionaryModel model = oneIntegerAttribute();
        const DictionaryModel before = model;
        {
            TfrmAttr unchanged(model, AttributeEdit::forEdit(model, 0));
            unchanged.show();
            // Room to type into is no change.
            auto *grid = child<QTableWidget>(&unchanged, "ValueListEdt");
            grid->setCurrentCell(0, 0);
            QTest::keyClick(grid, Qt::Key_Down);
            closeBy(unchanged);
            EXPECT_FALSE(unchanged.isVisible());
            EXPECT_EQ(unchanged.result(), QDialog::Rejected);
            EXPECT_TRUE(dialogs.messages().isEmpty()) << "closes as before, without a question";
        }
        const std::function<void(TfrmAttr &)> changes[] = {
            [](TfrmAttr &form) { QTest::keyClicks(child<QLineEdit>(&form, "edtAttrCode"), "7"); },
            [](TfrmAttr &form) { child<QComboBox>(&form, "cboDataType")->setEditText("short"); },
            [](TfrmAttr &form) { child<QTableWidget>(&form, "ValueListEdt")->item(0, 1)->setText("5"); },
        };
        for (const auto &change : changes) {
            dialogs.clear();
            TfrmAttr form(model, AttributeEdit::forEdit(model, 0));
            form.show();
            change(form);
            dialogs.queueAnswer(Answer::No);
            closeBy(form);
            ASSERT_EQ(dialogs.messages().size(), 1);
            EXPECT_EQ(dialogs.messages().last().text, "Discard your changes?");
            EXPECT_EQ(dialogs.messages().last().buttons, platform::MessageButtons::YesNo);
            EXPECT_TRUE(form.isVisible()) << "No keeps the dialog and what was typed";
            dialogs.queueAnswer(Answer::Yes);
            closeBy(form);
            EXPECT_FALSE(form.isVisible());
            EXPECT_EQ(form.result(), QDialog::Rejected);
            EXPECT_EQ(model.attributes, before.attributes);
            EXPECT_EQ(model.values, before.values);
            EXPECT_FALSE(model.modified);
        }
    }
}

TEST(TfrmAttr, OffersTheLibraryTypesAndShowsEveryControl)
{
    platform::ScriptedDialogService dialogs;
    DictionaryModel model = oneIntegerAttribute();
    TfrmAttr form(model, AttributeEdit::forEdit(model, 0));
    form.show();
    auto *types = child<QComboBox>(&form, "cboDataType");
    QStringList offered;
    for (int i = 0; i < types->count(); ++i)
        offered << types->itemText(i);
    EXPECT_EQ(offered,
              (QStringList{"string", "integer", "ipaddr", "date", "octets", "ifid", "ipv6addr", "ipv6prefix", "byte",
                           "short", "signed", "integer64", "ether", "ipv4prefix", "combo-ip", "tlv"}));
    EXPECT_EQ(types->currentText(), "integer");
    for (const QWidget *control : form.findChildren<QWidget *>()) {
        if (!control->isVisible() || control->parentWidget() != &form)
            continue;
        EXPECT_TRUE(form.rect().contains(control->geometry())) << control->objectName().toStdString();
        EXPECT_GE(control->width(), control->minimumSizeHint().width()) << control->objectName().toStdString();
    }
    // The longest name the field takes is seen whole.
    auto *name = child<QLineEdit>(&form, "edtAttrName");
    name->setText("Acme-Service-Level-Agreement-Name-Longer");
    ASSERT_EQ(name->text().size(), name->maxLength());
    EXPECT_GE(name->contentsRect().width() - 8, name->fontMetrics().horizontalAdvance(name->text()));

    // A value the library would refuse is caught at OK, with the reason.
    types->setEditText("byte");
    child<QTableWidget>(&form, "ValueListEdt")->item(0, 1)->setText("256");
    click(&form, "spbtnOK");
    EXPECT_EQ(dialogs.lastMessageText(),
              "The value of \"Off\" must be a number from 0 to 255 for the data type \"byte\": \"256\" given.");
    EXPECT_TRUE(form.isVisible());
}

TEST(TfrmMain, RemembersItsPlaceSplitterAndColumnsAcrossARestart)
{
    testsupport::TempProgramDir dir;
    platform::ScriptedDialogService dialogs;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect placed(available.left() + 30, available.top() + 20, 700, 460);
    QList<int> splitterSizes;
    {
        TfrmMain form;
        form.show();
        form.setGeometry(placed);
        child<QSplitter>(&form, "splAttributes")->setSizes({180, 400});
        splitterSizes = child<QSplitter>(&form, "splAttributes")->sizes();
        form.close();
    }
    {
        TfrmMain again;
        again.show();
        EXPECT_EQ(again.geometry(), placed);
        EXPECT_EQ(child<QSplitter>(&again, "splAttributes")->sizes(), splitterSizes);
        // Saved where a screen of yesterday was.
        again.setGeometry(available.right() + 900, available.top() + 50, 600, 400);
        again.close();
    }
    TfrmMain third;
    third.show();
    EXPECT_TRUE(available.contains(third.geometry())) << "back on today's screen";
    EXPECT_EQ(third.size(), QSize(600, 400));
}

TEST(TfrmMain, ListsShowTheirNamesInFullAndTheLastColumnStretches)
{
    testsupport::TempProgramDir dir;
    const QString longName = "Acme-Value-Name-Of-Thirty-Chars";
    const QString longAttribute = "Acme-Attribute-Name-Of-Forty-Characters1";
    dir.writeFile("dictionary/userdefine/dictionary.Acme",
                  "VENDOR Acme 42\r\nATTRIBUTE " + longAttribute.toLatin1() + " 2 integer\r\nVALUE "
                      + longAttribute.toLatin1() + " " + longName.toLatin1() + " 1\r\n");
    platform::ScriptedDialogService dialogs;
    TfrmMain form;
    form.show();
    choose(child<QComboBox>(&form, "cboVendorList"), "Acme");
    auto *list = child<QTreeWidget>(&form, "lvwAttrList");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    // Wider than the pane, the list scrolls rather than cutting the name.
    EXPECT_GE(list->columnWidth(0), list->fontMetrics().horizontalAdvance(longAttribute));
    EXPECT_GE(list->columnWidth(0), list->viewport()->width());
    list->setCurrentItem(list->topLevelItem(0));
    auto *grid = child<QTableWidget>(child<QWidget>(&form, "Default"), "ValueListEdt");
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_GE(grid->columnWidth(0), grid->fontMetrics().horizontalAdvance(longName)) << "the name is not cut";
    EXPECT_TRUE(grid->horizontalHeader()->stretchLastSection());
    EXPECT_EQ(grid->columnWidth(0) + grid->columnWidth(1), grid->viewport()->width());
}

TEST(TfrmAttr, NewTextsFollowTheChosenLanguage)
{
    testsupport::TempProgramDir dir;
    ASSERT_TRUE(platform::Language::setCurrentName(QStringLiteral("简体中文")));
    platform::ScriptedDialogService dialogs;
    DictionaryModel model = oneIntegerAttribute();
    TfrmAttr form(model, AttributeEdit::forEdit(model, 0));
    form.show();
    child<QComboBox>(&form, "cboDataType")->setEditText("byte");
    child<QTableWidget>(&form, "ValueListEdt")->item(0, 1)->setText("256");
    click(&form, "spbtnOK");
    EXPECT_EQ(dialogs.lastMessageText(),
              QStringLiteral("“Off”的值必须是 0 到 255 之间的数字（数据类型“byte”），输入的是“256”。"));
    dialogs.queueAnswer(Answer::Yes);
    QTest::keyClick(child<QLineEdit>(&form, "edtAttrName"), Qt::Key_Escape);
    EXPECT_EQ(dialogs.lastMessageText(), QStringLiteral("放弃所做的更改吗？"));
    EXPECT_FALSE(form.isVisible());
}
