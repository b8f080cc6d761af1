// A vendor made in Glossor reaches Pellion: its files, the packet editor's lists, and the
// raw page's Vendor-Specific attributes.
#include "E2eSuite.h"

#include "dictmanager/TfrmAttr.h"
#include "dictmanager/TfrmMain.h"
#include "dictmanager/TfrmVendor.h"
#include "radius/Dictionary.h"
#include "reports/TfrmViewTask.h"
#include "shell/TfrmMain.h"
#include "taskdef/TfrmPackage.h"
#include "taskdef/TfrmTask.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

namespace e2e {
namespace {

QStringList entries(QComboBox *box)
{
    QStringList texts;
    for (int i = 0; box && i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// Clicks a cell of the grid and types into it; Return takes the text.
void typeCell(QTableWidget *grid, int row, int column, const QString &text)
{
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::keyClick(grid, text.at(0).toLatin1());
    QWidget *editor = QApplication::focusWidget();
    ASSERT_TRUE(qobject_cast<QLineEdit *>(editor)) << "typing did not open the cell";
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
}

void addAttribute(dictmanager::TfrmMain &glossor, const QString &name, const QString &code, const QString &type,
                  const QList<std::pair<QString, QString>> &values = {})
{
    inModal<dictmanager::TfrmAttr>(
        [&](dictmanager::TfrmAttr *dialog) {
            // Typed keys reach the cell editor only once the dialog is the active window.
            ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
            QTest::keyClicks(control<QLineEdit>(dialog, "edtAttrName"), name);
            QTest::keyClicks(control<QLineEdit>(dialog, "edtAttrCode"), code);
            pick(control<QComboBox>(dialog, "cboDataType"), type);
            auto *grid = control<QTableWidget>(dialog, "ValueListEdt");
            for (int row = 0; row < values.size(); ++row) {
                if (row >= grid->rowCount())
                    QTest::keyClick(grid, Qt::Key_Down);
                typeCell(grid, row, 0, values[row].first);
                typeCell(grid, row, 1, values[row].second);
            }
            click(dialog, "spbtnOK");
        },
        [&] { click(&glossor, "pmAdd"); });
}

// The library's dictionary belongs to the process and cannot be loaded a second time. A flow
// in which Pellion must load what Glossor has just written therefore needs a process in
// which no test has loaded it yet: when another test came first, the flow runs again, alone,
// in a process of its own.
class GlossorFlow : public E2eSuite {
protected:
    static constexpr const char *OwnProcess = "PELLION_E2E_OWN_PROCESS";

    static bool needsOwnProcess() { return radius::Dictionary::isLoaded(); }

    static ::testing::AssertionResult passesInOwnProcess()
    {
        if (qEnvironmentVariableIsSet(OwnProcess))
            return ::testing::AssertionFailure() << "the dictionary is loaded in the flow's own process";
        const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
        QProcess child;
        QSignalSpy finished(&child, &QProcess::finished);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(OwnProcess), QStringLiteral("1"));
        environment.remove(QStringLiteral("GTEST_OUTPUT"));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
        // Waits for the child's end; the bound only keeps a hung flow from holding the suite.
        const bool ended = finished.wait(300000);
        if (!ended)
            child.kill();
        const QString output = QString::fromUtf8(child.readAll());
        if (!ended || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
            return ::testing::AssertionFailure() << "in its own process:\n" << output.toStdString();
        if (!output.contains(QStringLiteral("[  PASSED  ] 1 test")))
            return ::testing::AssertionFailure() << "its own process ran no test:\n" << output.toStdString();
        return ::testing::AssertionSuccess();
    }
};

TEST_F(GlossorFlow, VendorMadeInGlossorIsOfferedAndEncodedByPellion)
{
    if (needsOwnProcess()) {
        EXPECT_TRUE(passesInOwnProcess());
        return;
    }
    // Glossor: a vendor with two attributes, one with a named value; then closed.
    {
        dictmanager::TfrmMain glossor;
        glossor.show();
        ASSERT_TRUE(inModal<dictmanager::TfrmVendor>(
            [](dictmanager::TfrmVendor *dialog) {
                QTest::keyClicks(control<QLineEdit>(dialog, "edtVendor"), "Pellitest");
                QTest::keyClicks(control<QLineEdit>(dialog, "edtCode"), "4242");
                click(dialog, "btnOK");
            },
            [&] { click(&glossor, "spbtnAdd"); }));
        ASSERT_TRUE(pick(control<QComboBox>(&glossor, "cboVendorList"), "Pellitest"));
        addAttribute(glossor, "Pellitest-Name", "1", "string");
        addAttribute(glossor, "Pellitest-Mode", "2", "integer", {{"Fast", "7"}});
        EXPECT_EQ(control<QTreeWidget>(&glossor, "lvwAttrList")->topLevelItemCount(), 2);
        EXPECT_TRUE(program.dialogs.messages().isEmpty()) << program.dialogs.messageTexts().join("; ").toStdString();
        glossor.close();
        EXPECT_FALSE(glossor.isVisible());
    }
    const QString vendorFile = QString::fromUtf8(program.dir.readFile("dictionary/userdefine/dictionary.Pellitest"));
    EXPECT_TRUE(vendorFile.startsWith("VENDOR  Pellitest  4242\r\n")) << vendorFile.toStdString();
    for (const char *line : {"BEGIN-VENDOR Pellitest\r\n", "END-VENDOR Pellitest"})
        EXPECT_TRUE(vendorFile.contains(line)) << line << " in\n" << vendorFile.toStdString();
    EXPECT_TRUE(vendorFile.contains(QRegularExpression("ATTRIBUTE +Pellitest-Name +1 +string")));
    EXPECT_TRUE(vendorFile.contains(QRegularExpression("ATTRIBUTE +Pellitest-Mode +2 +integer")));
    EXPECT_TRUE(vendorFile.contains(QRegularExpression("VALUE\\tPellitest-Mode +Fast +7")));
    EXPECT_EQ(program.dir.readFile("dictionary/userdefine/dictionary"), "$INCLUDE dictionary.Pellitest\r\n");

    // Pellion, started afterwards: the packet editor offers the vendor, its attributes in
    // name order and the named value.
    ASSERT_FALSE(radius::Dictionary::isLoaded()) << "Pellion must load its dictionary after Glossor wrote the vendor";
    ASSERT_TRUE(startPellion());
    const QString name = "vendor pairs";
    TaskInput task{name, "127.0.0.1", server().authPort(), server().secret(), "Auth", "PAP", {}};
    ASSERT_TRUE(inModal<taskdef::TfrmTask>(
        [&](taskdef::TfrmTask *editor) {
            PellionUser::fillSettings(editor, task);
            showPage(control<QTabWidget>(editor, "PageControl"), "TabSheetPackage");
            inModal<taskdef::TfrmPackage>(
                [](taskdef::TfrmPackage *packet) {
                    auto *vendors = control<QComboBox>(packet, "cboVendor");
                    EXPECT_TRUE(entries(vendors).contains("Pellitest"));
                    pick(vendors, "Pellitest");
                    EXPECT_EQ(entries(control<QComboBox>(packet, "cboAttr")),
                              QStringList({"Pellitest-Mode", "Pellitest-Name"}));
                    pick(control<QComboBox>(packet, "cboAttr"), "Pellitest-Mode");
                    EXPECT_EQ(entries(control<QComboBox>(packet, "cboValue")), QStringList({"Fast"}));
                    PellionUser::fillPacket(packet,
                                            {{"User-Name", "bob"},
                                             {"Pellitest-Name", "hello", false, "Pellitest"},
                                             {"Pellitest-Mode", "Fast", true, "Pellitest"}});
                    click(packet, "spbtnOK");
                },
                [&] { click(editor, "spbtnAdd"); });
            click(editor, "spbtnOK");
        },
        [&] { click(&program.main(), "spbtnTaskAdd"); }));
    ASSERT_GE(user->taskIndex(name), 0) << program.dialogs.messageTexts().join("; ").toStdString();

    // The raw page: each vendor attribute as an attribute 26 with vendor 4242 (0x1092).
    ASSERT_TRUE(user->viewTask(name, [](reports::TfrmViewTask *view) {
        showPage(control<QTabWidget>(view, "PageControlView"), "RichEditTaskViewRaw");
        const QString raw = control<QPlainTextEdit>(view, "RichEditTaskViewRaw")->toPlainText();
        const QRegularExpression attributes("Attributes    : 0x((?:[0-9a-f]{2})*)");
        const QString octets = attributes.match(raw).captured(1);
        // The Message-Authenticator first (type 80, 18 octets), then the packet's attributes.
        EXPECT_TRUE(octets.startsWith("5012")) << raw.toStdString();
        EXPECT_TRUE(octets.mid(36).startsWith("0105626f62")) << raw.toStdString();
        EXPECT_TRUE(octets.contains("1a0d000010920107" + QByteArray("hello").toHex())) << octets.toStdString();
        EXPECT_TRUE(octets.contains("1a0c00001092020600000007")) << octets.toStdString();
    }));
}

} // namespace
} // namespace e2e
