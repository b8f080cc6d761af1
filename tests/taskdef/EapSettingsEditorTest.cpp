#include "TfrmTestSupport.h"

#include "platform/ScriptedDialogService.h"
#include "platform/SpinEdit.h"
#include "support/TempProgramDir.h"
#include "taskdef/EapModeRules.h"
#include "taskdef/PacketTable.h"
#include "taskdef/TaskDuplicate.h"
#include "taskdef/TfrmTask.h"
#include "taskstore/Query.h"
#include "taskstore/TaskReader.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>

// The enterprise modes in the task editor: the fields each mode uses, checked on OK,
// stored with the task and shown again.

using namespace formtest;
using taskdef::TfrmTask;
using taskstore::TaskEapSettings;

namespace {

using Pairs = QList<QPair<QString, QString>>;

taskdef::PacketTable packets(const QList<Pairs> &list)
{
    taskdef::PacketTable table;
    for (qsizetype k = 0; k < list.size(); ++k) {
        const QString name = QStringLiteral("Packet%1").arg(k + 1);
        table.packets << name;
        for (const auto &[attribute, value] : list[k])
            table.rows.append({attribute, value, table.drawUniqueKey(), name});
    }
    return table;
}

const Pairs kLogin{{"User-Name", "bob"}, {"User-Password", "hello"}};

} // namespace

TEST(EapModeRules, EachModeChecksWhatItNeeds)
{
    testsupport::TempProgramDir dir;
    ASSERT_TRUE(dir.writeFile("pki/ca.pem", "ca"));
    ASSERT_TRUE(dir.writeFile("pki/client.pem", "cert"));
    ASSERT_TRUE(dir.writeFile("pki/client.key", "key"));
    TaskEapSettings withClient;
    withClient.CertFile = dir.filePath("pki/client.pem");
    withClient.KeyFile = dir.filePath("pki/client.key");
    TaskEapSettings certOnly;
    certOnly.CertFile = withClient.CertFile;
    TaskEapSettings missingCa;
    missingCa.CaFile = dir.filePath("pki/missing.pem");
    TaskEapSettings unchecked = missingCa; // not verifying: the CA file is not used
    unchecked.VerifyServer = false;
    TaskEapSettings folderAsCa = withClient;
    folderAsCa.CaFile = dir.filePath("pki");
    TaskEapSettings pap;
    pap.InnerMethod = "pap";
    TaskEapSettings chap;
    chap.InnerMethod = "chap";

    struct Case {
        const char *name;
        const char *mode;
        TaskEapSettings settings;
        QList<Pairs> packets;
        QString problem; // empty: none
    };
    const Case cases[] = {
        {"peap with a login", "PEAP", {}, {kLogin}, {}},
        {"peap without password",
         "PEAP",
         {},
         {{{"User-Name", "bob"}}},
         "Packet1 has no User-Password: PEAP takes the user's password from it."},
        {"second packet without identity",
         "EAP-MSCHAPv2",
         {},
         {kLogin, {{"User-Password", "x"}}},
         "Packet2 has no User-Name: EAP-MSCHAPv2 takes the user's identity from it."},
        {"radeapclient takes an EAP identity",
         "EAP-MSCHAPv2",
         {},
         {{{"EAP-Type-Identity", "bob"}, {"user-password", "x"}}},
         {}},
        {"radclient needs User-Name",
         "MS-CHAPv2",
         {},
         {{{"EAP-Type-Identity", "bob"}, {"User-Password", "x"}}},
         "Packet1 has no User-Name: MS-CHAPv2 takes the user's identity from it."},
        {"ttls without inner method",
         "EAP-TTLS",
         {},
         {kLogin},
         "EAP-TTLS needs an inner method: PAP, MS-CHAPv2 or EAP-MD5."},
        {"ttls with an unknown inner method",
         "EAP-TTLS",
         chap,
         {kLogin},
         "EAP-TTLS needs an inner method: PAP, MS-CHAPv2 or EAP-MD5."},
        {"ttls with pap", "EAP-TTLS", pap, {kLogin}, {}},
        {"tls without certificate",
         "EAP-TLS",
         {},
         {{{"User-Name", "bob"}}},
         "EAP-TLS needs a client certificate and its key."},
        {"tls without key",
         "EAP-TLS",
         certOnly,
         {{{"User-Name", "bob"}}},
         "EAP-TLS needs a client certificate and its key."},
        {"tls needs no password", "EAP-TLS", withClient, {{{"User-Name", "bob"}}}, {}},
        {"peap certificate without key",
         "PEAP",
         certOnly,
         {kLogin},
         "A client certificate needs its key, and a key its certificate."},
        {"missing ca file",
         "PEAP",
         missingCa,
         {kLogin},
         "The file does not exist or cannot be read: " + dir.filePath("pki/missing.pem")},
        {"a folder is no ca file",
         "EAP-TLS",
         folderAsCa,
         {kLogin},
         "The file does not exist or cannot be read: " + dir.filePath("pki")},
        {"unchecked server ignores the ca file", "PEAP", unchecked, {kLogin}, {}},
        {"pap checks nothing", "PAP", certOnly, {{}}, {}},
        {"lower case is no enterprise mode", "peap", {}, {{}}, {}},
    };
    for (const Case &c : cases) {
        const std::optional<QString> problem =
            taskdef::eapSettingsProblem(c.mode, taskdef::settingsForMode(c.mode, c.settings), packets(c.packets));
        EXPECT_EQ(problem.value_or(QString()), c.problem) << c.name;
    }
}

// A mode keeps only the settings it uses, so another mode's task stores no row.
TEST(EapModeRules, AModeKeepsOnlyItsSettings)
{
    TaskEapSettings entered;
    entered.AnonymousIdentity = "  anon@example.org ";
    entered.InnerMethod = "md5";
    entered.CaFile = "/pki/ca.pem";
    entered.VerifyServer = false;
    entered.CertFile = "/pki/c.pem";
    entered.KeyFile = "/pki/c.key";
    TaskEapSettings peap = entered;
    peap.AnonymousIdentity = "anon@example.org";
    peap.InnerMethod.clear();
    peap.CaFile.clear(); // not verifying
    TaskEapSettings tls = peap;
    tls.AnonymousIdentity.clear();
    TaskEapSettings ttls = peap;
    ttls.InnerMethod = "md5";
    EXPECT_TRUE(taskdef::settingsForMode("PEAP", entered) == peap);
    EXPECT_TRUE(taskdef::settingsForMode("EAP-TLS", entered) == tls);
    EXPECT_TRUE(taskdef::settingsForMode("EAP-TTLS", entered) == ttls);
    for (const char *mode : {"MS-CHAPv2", "EAP-MSCHAPv2", "PAP", "EAP-MD5"})
        EXPECT_TRUE(taskdef::settingsForMode(mode, entered) == TaskEapSettings{}) << mode;
}

namespace {

class EapEditor : public ::testing::Test {
protected:
    testsupport::TempProgramDir dir;
    taskstore::Connection db{taskstore::Connection::defaultPath()};
    platform::ScriptedDialogService dialogs;

    std::unique_ptr<TfrmTask> editor(const QString &taskId = "4711", bool load = false)
    {
        auto e = std::make_unique<TfrmTask>(db, nullptr);
        if (load)
            EXPECT_TRUE(e->loadTask(taskId));
        else
            e->startNew(taskId, "AllTask");
        e->show();
        return e;
    }

    // A task named, addressed and given one packet with these pairs, as the user types them.
    static void fill(TfrmTask *e, const Pairs &pairs)
    {
        auto *server = child<QComboBox>(e, "cboServerIP");
        server->setFocus();
        QTest::keyClicks(server->lineEdit(), "127.0.0.1");
        QTest::keyClicks(child<QLineEdit>(e, "edtSecretKey"), "testing123");
        addPacketRows(e, pairs);
    }

    static void chooseMode(TfrmTask *e, const QString &mode)
    {
        auto *box = child<QComboBox>(e, "cboMode");
        const int index = box->findText(mode);
        ASSERT_GE(index, 0) << mode.toStdString();
        child<QTabWidget>(e, "PageControl")->setCurrentIndex(0);
        choose(box, index);
    }

    // The controls of the EAP box the user can see now, by name.
    static QStringList shownFields(TfrmTask *e)
    {
        QStringList names;
        auto *box = child<QGroupBox>(e, "grpEap");
        if (!box->isVisibleTo(e))
            return names;
        for (const char *name : {"lblEapHint", "edtEapAnonymous", "cboEapInner", "chkEapVerifyServer", "edtEapCaFile",
                                 "btnEapCaFile", "edtEapCertFile", "edtEapKeyFile"})
            if (child<QWidget>(e, name)->isVisibleTo(e))
                names << QString::fromLatin1(name);
        return names;
    }

    QStringList eapRows(const QString &taskId = "4711")
    {
        taskstore::Query query(db);
        taskstore::OpenQuery(query, "select * from TaskEapSettings where TaskID='" + taskId + "'");
        QStringList out;
        for (query.first(); !query.atEnd(); query.next()) {
            QStringList fields;
            for (const char *column :
                 {"AnonymousIdentity", "InnerMethod", "CaFile", "VerifyServer", "CertFile", "KeyFile"})
                fields << query.asText(QString::fromLatin1(column));
            out << fields.join('|');
        }
        return out;
    }

    bool taskStored(const QString &taskId = "4711")
    {
        taskstore::Query query(db);
        return !taskstore::readTaskRecord(query, taskId).TaskID.isEmpty();
    }
};

} // namespace

// Each mode shows the fields it uses and no others; the EAP modes send one request at a
// time, MS-CHAPv2 (radclient) keeps the rate and parallel fields.
TEST_F(EapEditor, EachModeShowsItsFields)
{
    auto e = editor();
    struct Case {
        const char *mode;
        QStringList fields;
        bool optionFields;
    };
    const QStringList tls{"chkEapVerifyServer", "edtEapCaFile", "btnEapCaFile", "edtEapCertFile", "edtEapKeyFile"};
    const Case cases[] = {
        {"MS-CHAPv2", {"lblEapHint"}, true},
        {"EAP-MSCHAPv2", {"lblEapHint"}, false},
        {"PEAP", QStringList{"lblEapHint", "edtEapAnonymous"} + tls, false},
        {"EAP-TTLS", QStringList{"lblEapHint", "edtEapAnonymous", "cboEapInner"} + tls, false},
        {"EAP-TLS", tls, false},
        {"PAP", {}, true},
        {"EAP-SIM", {}, false},
    };
    for (const Case &c : cases) {
        chooseMode(e.get(), c.mode);
        EXPECT_EQ(shownFields(e.get()), c.fields) << c.mode;
        EXPECT_EQ(child<platform::SpinEdit>(e.get(), "CSpinEditParallel")->isEnabled(), c.optionFields) << c.mode;
    }
    // Typed rather than chosen, the mode still shows its fields.
    auto *mode = child<QComboBox>(e.get(), "cboMode");
    mode->lineEdit()->selectAll();
    QTest::keyClicks(mode->lineEdit(), "EAP-TLS");
    EXPECT_EQ(shownFields(e.get()), tls);
    // Where the request type hides the mode, its fields go with it; "User Defined" shows
    // both again.
    auto *requestType = child<QComboBox>(e.get(), "cboRequestType");
    choose(requestType, 1);
    EXPECT_EQ(mode->currentText(), "EAP-TLS");
    EXPECT_EQ(shownFields(e.get()), QStringList());
    choose(requestType, 4);
    EXPECT_EQ(shownFields(e.get()), tls);
    // Choosing "Auth" puts the mode back to PAP without the mode rule: the fields go too.
    choose(requestType, 0);
    EXPECT_EQ(mode->currentText(), "PAP");
    EXPECT_EQ(shownFields(e.get()), QStringList());
}

// PEAP chosen, its fields filled (files through the picker), OK; opened again, the values
// are there; a duplicate takes them along; back to PAP the row goes.
TEST_F(EapEditor, PeapSettingsAreStoredAndShownAgain)
{
    ASSERT_TRUE(dir.writeFile("pki/ca.pem", "ca"));
    ASSERT_TRUE(dir.writeFile("pki/client.pem", "cert"));
    ASSERT_TRUE(dir.writeFile("pki/client.key", "key"));
    auto e = editor();
    fill(e.get(), kLogin);
    chooseMode(e.get(), "PEAP");
    QTest::keyClicks(child<QLineEdit>(e.get(), "edtEapAnonymous"), "anonymous@example.org");
    dialogs.queueFileName(dir.filePath("pki/ca.pem"));
    click(e.get(), "btnEapCaFile");
    dialogs.queueFileName(dir.filePath("pki/client.pem"));
    click(e.get(), "btnEapCertFile");
    dialogs.queueFileName(dir.filePath("pki/client.key"));
    click(e.get(), "btnEapKeyFile");
    click(e.get(), "spbtnOK");
    ASSERT_EQ(e->result(), QDialog::Accepted) << dialogs.messageTexts().join("; ").toStdString();
    const QString stored = "anonymous@example.org||" + dir.filePath("pki/ca.pem") + "|1|"
        + dir.filePath("pki/client.pem") + "|" + dir.filePath("pki/client.key");
    EXPECT_EQ(eapRows(), QStringList{stored});

    auto reopened = editor("4711", true);
    EXPECT_EQ(child<QComboBox>(reopened.get(), "cboMode")->currentText(), "PEAP");
    child<QTabWidget>(reopened.get(), "PageControl")->setCurrentIndex(0);
    EXPECT_TRUE(child<QLineEdit>(reopened.get(), "edtEapAnonymous")->isVisibleTo(reopened.get()));
    EXPECT_EQ(child<QLineEdit>(reopened.get(), "edtEapAnonymous")->text(), "anonymous@example.org");
    EXPECT_EQ(child<QLineEdit>(reopened.get(), "edtEapCaFile")->text(), dir.filePath("pki/ca.pem"));
    EXPECT_EQ(child<QLineEdit>(reopened.get(), "edtEapKeyFile")->text(), dir.filePath("pki/client.key"));
    EXPECT_TRUE(child<QCheckBox>(reopened.get(), "chkEapVerifyServer")->isChecked());
    EXPECT_FALSE(child<platform::SpinEdit>(reopened.get(), "CSpinEditParallel")->isEnabled());

    // Not verifying the server: the CA file cannot be named and is not stored.
    child<QCheckBox>(reopened.get(), "chkEapVerifyServer")->click();
    EXPECT_FALSE(child<QLineEdit>(reopened.get(), "edtEapCaFile")->isEnabled());
    click(reopened.get(), "spbtnOK");
    ASSERT_EQ(reopened->result(), QDialog::Accepted) << dialogs.messageTexts().join("; ").toStdString();
    const QString insecure =
        "anonymous@example.org|||0|" + dir.filePath("pki/client.pem") + "|" + dir.filePath("pki/client.key");
    EXPECT_EQ(eapRows(), QStringList{insecure});

    ASSERT_TRUE(taskdef::duplicateTask(db, "4711", "4712", QDateTime::currentDateTime()));
    EXPECT_EQ(eapRows("4712"), QStringList{insecure});

    auto pap = editor("4711", true);
    chooseMode(pap.get(), "PAP");
    click(pap.get(), "spbtnOK");
    ASSERT_EQ(pap->result(), QDialog::Accepted) << dialogs.messageTexts().join("; ").toStdString();
    EXPECT_TRUE(eapRows().isEmpty());
    EXPECT_EQ(eapRows("4712"), QStringList{insecure});
}

// A refused OK shows why on the Setting page and stores nothing, neither the task nor its
// settings; a stored task keeps what it had.
TEST_F(EapEditor, RefusedOkShowsWhyAndStoresNothing)
{
    struct Case {
        const char *mode;
        Pairs pairs;
        QString message;
    };
    const Case cases[] = {
        {"EAP-TLS", {{"User-Name", "bob"}}, "EAP-TLS needs a client certificate and its key."},
        {"EAP-TTLS", kLogin, "EAP-TTLS needs an inner method: PAP, MS-CHAPv2 or EAP-MD5."},
        {"MS-CHAPv2",
         {{"User-Name", "bob"}},
         "Packet1 has no User-Password: MS-CHAPv2 takes the user's password from it."},
    };
    for (const Case &c : cases) {
        auto e = editor();
        fill(e.get(), c.pairs);
        chooseMode(e.get(), c.mode);
        child<QTabWidget>(e.get(), "PageControl")->setCurrentIndex(1);
        click(e.get(), "spbtnOK");
        EXPECT_NE(e->result(), QDialog::Accepted) << c.mode;
        EXPECT_TRUE(e->isVisible()) << c.mode;
        EXPECT_EQ(dialogs.lastMessageText(), c.message) << c.mode;
        EXPECT_EQ(child<QTabWidget>(e.get(), "PageControl")->currentWidget()->objectName(), "TabSheetSetting");
        EXPECT_FALSE(taskStored()) << c.mode;
        EXPECT_TRUE(eapRows().isEmpty()) << c.mode;
    }

    ASSERT_TRUE(dir.writeFile("pki/ca.pem", "ca"));
    auto e = editor();
    fill(e.get(), kLogin);
    chooseMode(e.get(), "PEAP");
    QTest::keyClicks(child<QLineEdit>(e.get(), "edtEapCaFile"), dir.filePath("pki/ca.pem"));
    click(e.get(), "spbtnOK");
    ASSERT_EQ(e->result(), QDialog::Accepted) << dialogs.messageTexts().join("; ").toStdString();
    const QStringList before = eapRows();

    auto changed = editor("4711", true);
    QTest::keyClicks(child<QLineEdit>(changed.get(), "edtEapCertFile"), dir.filePath("pki/missing.pem"));
    click(changed.get(), "spbtnOK");
    EXPECT_NE(changed->result(), QDialog::Accepted);
    EXPECT_EQ(dialogs.lastMessageText(), "A client certificate needs its key, and a key its certificate.");
    QTest::keyClicks(child<QLineEdit>(changed.get(), "edtEapKeyFile"), dir.filePath("pki/ca.pem"));
    click(changed.get(), "spbtnOK");
    EXPECT_NE(changed->result(), QDialog::Accepted);
    EXPECT_EQ(dialogs.lastMessageText(),
              "The file does not exist or cannot be read: " + dir.filePath("pki/missing.pem"));
    EXPECT_EQ(eapRows(), before);
}

// Changing only an EAP setting is a change the close box asks about.
TEST_F(EapEditor, AnEapChangeCountsAsAnEdit)
{
    auto e = editor();
    fill(e.get(), kLogin);
    chooseMode(e.get(), "EAP-TTLS");
    choose(child<QComboBox>(e.get(), "cboEapInner"), 0);
    click(e.get(), "spbtnOK");
    ASSERT_EQ(e->result(), QDialog::Accepted) << dialogs.messageTexts().join("; ").toStdString();
    EXPECT_EQ(eapRows(), QStringList{"|pap||1||"});

    auto reopened = editor("4711", true);
    choose(child<QComboBox>(reopened.get(), "cboEapInner"), 2);
    QTest::keyClick(reopened.get(), Qt::Key_Escape); // unscripted: No
    EXPECT_EQ(dialogs.lastMessageText(), "Discard your changes?");
    EXPECT_TRUE(reopened->isVisible());
}
