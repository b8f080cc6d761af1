#include "TfrmTestSupport.h"

#include "platform/Clock.h"
#include "platform/Language.h"
#include "platform/ScriptedDialogService.h"
#include "platform/SpinEdit.h"
#include "radius/Dictionary.h"
#include "radius/DictionaryFileReader.h"
#include "scheduling/TfrmTaskSchedule.h"
#include "support/HeadingFit.h"
#include "support/TempProgramDir.h"
#include "taskdef/PacketTextReader.h"
#include "taskdef/TaskDuplicate.h"
#include "taskdef/TaskEditorRules.h"
#include "taskdef/TaskExpectations.h"
#include "taskdef/TaskPackets.h"
#include "taskdef/TfrmPackage.h"
#include "taskdef/TfrmTask.h"
#include "taskstore/DateTimeText.h"
#include "taskstore/ExpectationStore.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>

using namespace formtest;
using platform::Answer;
using platform::SpinEdit;
using scheduling::TfrmTaskSchedule;
using taskdef::TfrmPackage;
using taskdef::TfrmTask;
using taskstore::DateTimeText;

namespace {

using Pairs = QList<QPair<QString, QString>>;

QStringList texts(QTreeWidget *list, int column = 0)
{
    QStringList out;
    for (QTreeWidgetItemIterator it(list); *it; ++it)
        out << (*it)->text(column);
    return out;
}

void retype(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

class TaskEditor : public ::testing::Test {
protected:
    testsupport::TempProgramDir dir;
    taskstore::Connection db{taskstore::Connection::defaultPath()};
    platform::ScriptedDialogService dialogs;
    const QDateTime now{QDate(2026, 3, 10), QTime(9, 10, 20)}; // a Tuesday

    void SetUp() override { platform::Clock::setNow(now); }
    void TearDown() override { platform::Clock::setNow(QDateTime()); }

    std::unique_ptr<TfrmTask> newEditor(const QString &taskId = "4711")
    {
        auto editor = std::make_unique<TfrmTask>(db, nullptr);
        editor->startNew(taskId, "AllTask");
        editor->show();
        return editor;
    }

    std::unique_ptr<TfrmTask> openEditor(const QString &taskId)
    {
        auto editor = std::make_unique<TfrmTask>(db, nullptr);
        EXPECT_TRUE(editor->loadTask(taskId));
        editor->show();
        return editor;
    }

    static void fillSettings(TfrmTask *editor, const QString &name = "Login check")
    {
        retype(child<QLineEdit>(editor, "edtTaskName"), name);
        auto *server = child<QComboBox>(editor, "cboServerIP");
        server->setFocus();
        QTest::keyClicks(server->lineEdit(), "127.0.0.1");
        QTest::keyClicks(child<QLineEdit>(editor, "edtSecretKey"), "testing123");
    }

    // Add, then the packet editor: one row per pair, OK.
    static void addPacket(TfrmTask *editor, const Pairs &pairs) { addPacketRows(editor, pairs); }

    static void addSchedule(TfrmTask *editor, const std::function<void(TfrmTaskSchedule *)> &steps)
    {
        whenModalOpens<TfrmTaskSchedule>([steps](TfrmTaskSchedule *schedule) {
            steps(schedule);
            click(schedule, "spbtnOK");
        });
        click(editor, "spbtnSchAdd");
    }

    static void selectPacket(TfrmTask *editor, int index) // 0 the root
    {
        auto *tree = child<QTreeWidget>(editor, "trePackage");
        QTreeWidgetItem *root = tree->topLevelItem(0);
        QTreeWidgetItem *item = index == 0 ? root : root->child(index - 1);
        tree->setCurrentItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    }

    QStringList rows(const QString &sql, const QStringList &columns)
    {
        taskstore::Query query(db);
        taskstore::OpenQuery(query, sql);
        QStringList out;
        for (query.first(); !query.atEnd(); query.next()) {
            QStringList fields;
            for (const QString &column : columns)
                fields << query.asText(column);
            out << fields.join('|');
        }
        return out;
    }

    QStringList taskRows(const QString &id)
    {
        return rows("select * from Task where TaskID='" + id + "'",
                    {"GroupID", "TaskID", "TaskName", "ServerIP", "SecretKey", "Port", "RequestType", "RequestTypeCode",
                     "AuthMode", "RunType"})
            + rows("select * from TaskOption where TaskID='" + id + "'",
                   {"StartID", "ReplyTimeout", "RetryTimes", "RepeatTimes", "NumPerSec", "NumInParall"});
    }

    QStringList scheduleRows(const QString &id)
    {
        return rows("select * from TaskSchedule where TaskID='" + id + "' order by ScheduleType",
                    {"ScheduleType", "value", "withweek", "StartTime", "LastRunTime", "NextRunTime"});
    }

    // A stored task with one packet, made through the editor.
    void storeTask(const QString &id)
    {
        auto editor = newEditor(id);
        fillSettings(editor.get(), "Stored");
        addPacket(editor.get(), {{"User-Name", "old"}});
        click(editor.get(), "spbtnOK");
        ASSERT_EQ(editor->result(), QDialog::Accepted) << dialogs.lastMessageText().toStdString();
    }
};

TEST(TaskEditorRules, ValidationOrderAndMessages)
{
    const taskdef::TaskEditorFacts valid{"Name", "127.0.0.1", "secret", 0, "1", 1, true, 1};
    using taskdef::EditorPage;
    struct Case {
        std::function<void(taskdef::TaskEditorFacts &)> breakIt;
        const char *message;
        EditorPage page;
    };
    const Case cases[] = {
        {[](auto &f) { f = {}; }, "Task Name is empty!", EditorPage::Unchanged},
        {[](auto &f) { f.taskName = "  "; }, "Task Name is empty!", EditorPage::Unchanged},
        {[](auto &f) {
             f.serverIp = "";
             f.secretKey = "";
         },
         "Server IP is empty!", EditorPage::Setting},
        {[](auto &f) {
             f.secretKey = "";
             f.packetNodes = 0;
         },
         "Secret Key is empty!", EditorPage::Setting},
        {[](auto &f) {
             f.requestType = -1;
             f.requestCodeText = "";
         },
         "Request Type is empty!", EditorPage::Setting},
        {[](auto &f) {
             f.requestCodeText = " ";
             f.packetNodes = 0;
         },
         "Request Code is empty!", EditorPage::Setting},
        {[](auto &f) {
             f.packetNodes = 0;
             f.scheduleRows = 0;
         },
         "Please add a packet at least!", EditorPage::Package},
        {[](auto &f) { f.scheduleRows = 0; }, "Please add a Schedule.", EditorPage::Schedule},
    };
    for (const Case &c : cases) {
        taskdef::TaskEditorFacts facts = valid;
        c.breakIt(facts);
        const auto refusal = taskdef::validateTask(facts);
        ASSERT_TRUE(refusal) << c.message;
        EXPECT_EQ(refusal->message, c.message);
        EXPECT_EQ(refusal->page, c.page) << c.message;
    }
    EXPECT_FALSE(taskdef::validateTask(valid));
    taskdef::TaskEditorFacts manual = valid;
    manual.scheduled = false;
    manual.scheduleRows = 0;
    EXPECT_FALSE(taskdef::validateTask(manual));
}

TEST(TaskPackets, RowKeysStayUniqueAndPacketNamesAreNotReused)
{
    taskdef::TaskPackets packets;
    packets.counter = 1;
    packets.setPacketRows("Packet1", {{"User-Name", "a", "1", ""}, {"NAS-Port", "1", "2", ""}});
    // A packet editor only knows its own rows: its new key may be one another packet has.
    packets.setPacketRows("Packet2", {{"User-Name", "b", "1", ""}});
    const QList<taskdef::AttributeRow> second = packets.table.rowsOf("Packet2");
    ASSERT_EQ(second.size(), 1);
    EXPECT_EQ(second[0].packageId, "Packet2");
    EXPECT_NE(second[0].id, "1");
    EXPECT_EQ(packets.table.usedKeys().size(), 3);

    EXPECT_EQ(packets.deleteRow("1"), "Packet1");
    EXPECT_EQ(packets.table.rows.size(), 2);
    EXPECT_EQ(packets.table.rowsOf("Packet2").size(), 1);

    // Modify: kept rows keep their keys, new rows get fresh ones.
    packets.setPacketRows("Packet1", {{"NAS-Port", "1", "2", ""}, {"Framed-MTU", "1400", "", ""}});
    const QList<taskdef::AttributeRow> first = packets.table.rowsOf("Packet1");
    ASSERT_EQ(first.size(), 2);
    EXPECT_EQ(first[0].id, "2");
    EXPECT_FALSE(first[1].id.isEmpty());
    EXPECT_EQ(packets.table.usedKeys().size(), 3);

    EXPECT_EQ(packets.takeNextName(), "Packet3"); // Packet1 and Packet2 exist
    packets.removePacket("Packet2");
    EXPECT_EQ(packets.table.packets, QStringList({"Packet1"}));
    EXPECT_EQ(packets.table.rows.size(), 2);
}

TEST_F(TaskEditor, NewTaskStartsFromTheDefaults)
{
    auto editor = newEditor();
    EXPECT_EQ(child<QLineEdit>(editor.get(), "edtTaskName")->text(), "Untitled");
    EXPECT_EQ(child<QLineEdit>(editor.get(), "edtTaskID")->text(), "4711");
    EXPECT_TRUE(child<QLineEdit>(editor.get(), "edtTaskID")->isReadOnly());
    EXPECT_EQ(child<QComboBox>(editor.get(), "cboRequestType")->currentText(), "Auth");
    EXPECT_EQ(child<QComboBox>(editor.get(), "cboPort")->currentText(), "1812");
    EXPECT_EQ(child<QComboBox>(editor.get(), "cboMode")->currentText(), "PAP");
    EXPECT_TRUE(child<QComboBox>(editor.get(), "cboServerIP")->currentText().isEmpty());
    EXPECT_TRUE(child<SpinEdit>(editor.get(), "CSpinEditCode")->isEnabled());
    const QList<std::pair<const char *, int>> spins = {
        {"CSpinEditCode", 1},   {"CSpinEditStartID", 0},  {"CSpinEditTimeout", 3}, {"CSpinEditRetry", 3},
        {"CSpinEditRepeat", 1}, {"CSpinEditParallel", 1}, {"CSpinEditPer", 0}};
    for (const auto &[name, value] : spins)
        EXPECT_EQ(child<SpinEdit>(editor.get(), name)->value(), value) << name;
    EXPECT_EQ(child<SpinEdit>(editor.get(), "CSpinEditStartID")->maximum(), 255);
    EXPECT_EQ(child<SpinEdit>(editor.get(), "CSpinEditTimeout")->minimum(), 1);
    EXPECT_EQ(child<QTabWidget>(editor.get(), "PageControl")->currentWidget()->objectName(), "TabSheetPackage");
    EXPECT_EQ(texts(child<QTreeWidget>(editor.get(), "trePackage")), QStringList({"Packets List"}));
    EXPECT_TRUE(child<QRadioButton>(editor.get(), "RadioBtnManually")->isChecked());
    EXPECT_FALSE(child<QWidget>(editor.get(), "spbtnSchAdd")->isEnabled());
    EXPECT_FALSE(child<QWidget>(editor.get(), "lvwSchedule")->isEnabled());
    EXPECT_EQ(editor->windowTitle(), "The Sync Task Properties ");
    EXPECT_EQ(child<QLabel>(editor.get(), "lblTaskName")->text(), "  Task Name:");
}

TEST_F(TaskEditor, TypingFiltersKeepOnlyTheirCharacters)
{
    auto editor = newEditor();
    struct Case {
        const char *field;
        const char *typed;
        const char *result;
    };
    const Case cases[] = {
        {"CSpinEditTimeout", "1025", "125"}, // no 0 where the lower bound is 1
        {"CSpinEditRetry", "0", ""},         {"CSpinEditParallel", "x9", "9"}, {"CSpinEditStartID", "10", "10"},
        {"CSpinEditPer", "a5-0", "50"},      {"CSpinEditCode", "-4", "4"},
    };
    for (const Case &c : cases) {
        auto *spin = child<SpinEdit>(editor.get(), c.field);
        retype(spin->editor(), c.typed);
        EXPECT_EQ(spin->editor()->text(), c.result) << c.field;
    }
    auto *timeout = child<SpinEdit>(editor.get(), "CSpinEditTimeout");
    QTest::keyClick(timeout->editor(), Qt::Key_Backspace);
    EXPECT_EQ(timeout->editor()->text(), "125");

    auto *port = child<QComboBox>(editor.get(), "cboPort");
    retype(port->lineEdit(), "17x00");
    EXPECT_EQ(port->currentText(), "1700");

    auto *type = child<QComboBox>(editor.get(), "cboRequestType");
    type->setFocus();
    QTest::keyClicks(type, "Acct");
    EXPECT_EQ(type->currentText(), "Auth");
}

TEST_F(TaskEditor, RequestTypeModeAndServerRules)
{
    {
        taskstore::Query query(db);
        taskstore::ExecQuery(query, taskstore::sql::insertServer("1", "127.0.0.1", "first"));
        taskstore::ExecQuery(query, taskstore::sql::insertServer("2", "::1", "second"));
    }
    auto editor = newEditor();
    child<QTabWidget>(editor.get(), "PageControl")->setCurrentIndex(0);
    auto *type = child<QComboBox>(editor.get(), "cboRequestType");
    auto *code = child<SpinEdit>(editor.get(), "CSpinEditCode");
    auto *port = child<QComboBox>(editor.get(), "cboPort");
    auto *mode = child<QComboBox>(editor.get(), "cboMode");
    struct Case {
        int position;
        int code;
        bool codeEnabled;
        bool modeShown;
        const char *port;
    };
    const Case cases[] = {{1, 4, false, false, "1813"},
                          {2, 12, false, false, "1812"},
                          {3, 40, false, false, "1700"},
                          {4, -1, true, true, "1812"},
                          {0, 1, false, true, "1812"}};
    for (const Case &c : cases) {
        choose(type, c.position);
        EXPECT_EQ(code->value(), c.code) << c.position;
        EXPECT_EQ(code->isEnabled(), c.codeEnabled) << c.position;
        EXPECT_EQ(mode->isVisible(), c.modeShown) << c.position;
        EXPECT_EQ(child<QLabel>(editor.get(), "lblMode")->isVisible(), c.modeShown) << c.position;
        EXPECT_EQ(port->currentText(), c.port) << c.position;
    }

    auto *parallel = child<SpinEdit>(editor.get(), "CSpinEditParallel");
    auto *perSecond = child<SpinEdit>(editor.get(), "CSpinEditPer");
    parallel->setValue(8);
    perSecond->setValue(50);
    choose(mode, 3); // EAP-SIM
    EXPECT_EQ(parallel->value(), 1);
    EXPECT_EQ(perSecond->value(), 0);
    EXPECT_FALSE(parallel->isEnabled());
    EXPECT_FALSE(child<QLabel>(editor.get(), "lblPer")->isEnabled());
    choose(type, 0); // Auth: the mode goes back to PAP, the fields stay off
    EXPECT_EQ(mode->currentText(), "PAP");
    EXPECT_FALSE(parallel->isEnabled());
    choose(mode, 0);
    EXPECT_TRUE(parallel->isEnabled());
    EXPECT_TRUE(perSecond->isEnabled());

    auto *server = child<QComboBox>(editor.get(), "cboServerIP");
    EXPECT_EQ(server->count(), 2);
    choose(server, 1);
    EXPECT_EQ(child<QLineEdit>(editor.get(), "edtSecretKey")->text(), "second");
    choose(server, 0);
    EXPECT_EQ(child<QLineEdit>(editor.get(), "edtSecretKey")->text(), "first");
}

TEST_F(TaskEditor, ValidationShowsItsMessageAndPage)
{
    auto editor = newEditor();
    auto *pages = child<QTabWidget>(editor.get(), "PageControl");
    click(editor.get(), "spbtnOK");
    EXPECT_EQ(dialogs.lastMessageText(), "Server IP is empty!");
    EXPECT_EQ(pages->currentWidget()->objectName(), "TabSheetSetting");

    fillSettings(editor.get());
    pages->setCurrentIndex(2);
    click(editor.get(), "spbtnOK");
    EXPECT_EQ(dialogs.lastMessageText(), "Please add a packet at least!");
    EXPECT_EQ(pages->currentWidget()->objectName(), "TabSheetPackage");

    addPacket(editor.get(), {{"User-Name", "bob"}});
    child<QRadioButton>(editor.get(), "RadiobtnSchedule")->click();
    click(editor.get(), "spbtnOK");
    EXPECT_EQ(dialogs.lastMessageText(), "Please add a Schedule.");
    EXPECT_EQ(pages->currentWidget()->objectName(), "TabSheetSchedule");

    child<QRadioButton>(editor.get(), "RadioBtnManually")->click();
    retype(child<QComboBox>(editor.get(), "cboPort")->lineEdit(), "");
    click(editor.get(), "spbtnOK");
    EXPECT_EQ(dialogs.lastMessageText(), "'' is not a valid integer value");

    retype(child<QLineEdit>(editor.get(), "edtTaskName"), "");
    click(editor.get(), "spbtnOK");
    EXPECT_EQ(dialogs.lastMessageText(), "Task Name is empty!");
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(taskRows("4711").isEmpty());
}

TEST_F(TaskEditor, PacketPageCommands)
{
    auto editor = newEditor();
    auto *tree = child<QTreeWidget>(editor.get(), "trePackage");
    auto *visible = child<QTreeWidget>(editor.get(), "lvwAttr");
    addPacket(editor.get(), {{"User-Name", "bob"}, {"User-Password", "a b"}});
    addPacket(editor.get(), {{"NAS-Port", "7"}});
    EXPECT_EQ(texts(tree), QStringList({"Packets List", "Packet1", "Packet2"}));
    EXPECT_EQ(tree->currentItem()->text(0), "Packet2"); // the new packet is selected
    EXPECT_EQ(texts(visible), QStringList({"NAS-Port"}));

    selectPacket(editor.get(), 0);
    EXPECT_EQ(texts(visible), QStringList({"User-Name", "User-Password", "NAS-Port"}));
    EXPECT_FALSE(child<QWidget>(editor.get(), "spbtnModify")->isEnabled());

    // Modify + Cancel keeps the rows; Modify + OK keeps the kept rows' keys.
    selectPacket(editor.get(), 1);
    const QStringList keys = texts(visible, 2);
    whenModalOpens<TfrmPackage>([](TfrmPackage *packet) { click(packet, "spbtnCancel"); });
    click(editor.get(), "spbtnModify");
    EXPECT_EQ(texts(visible, 2), keys);
    whenModalOpens<TfrmPackage>([](TfrmPackage *packet) {
        EXPECT_EQ(packet->mode(), taskdef::PacketEditMode::Modify);
        auto *rows = child<QTreeWidget>(packet, "lvwArrList");
        rows->setCurrentItem(rows->topLevelItem(1));
        click(packet, "spbtnRemove");
        QTest::keyClicks(child<QComboBox>(packet, "cboAttr")->lineEdit(), "Framed-MTU");
        QTest::keyClicks(child<QComboBox>(packet, "cboValue")->lineEdit(), "1400");
        click(packet, "spbtnAdd");
        click(packet, "spbtnOK");
    });
    click(editor.get(), "spbtnModify");
    EXPECT_EQ(texts(visible), QStringList({"User-Name", "Framed-MTU"}));
    EXPECT_EQ(texts(visible, 2).first(), keys.first());
    EXPECT_NE(texts(visible, 2).last(), keys.last());

    // Deleting the only attribute of a packet removes its node.
    selectPacket(editor.get(), 2);
    visible->setCurrentItem(visible->topLevelItem(0));
    dialogs.queueAnswer(Answer::No);
    click(editor.get(), "spbtnDelete");
    EXPECT_EQ(dialogs.lastMessageText(), "Do you really want to delete the Attribute?");
    EXPECT_EQ(texts(tree).size(), 3);
    dialogs.queueAnswer(Answer::Yes);
    click(editor.get(), "spbtnDelete");
    EXPECT_EQ(texts(tree), QStringList({"Packets List", "Packet1"}));

    // From the root every row can go, but the root and the packet nodes stay.
    selectPacket(editor.get(), 0);
    for (int i = 0; i < 2; ++i) {
        visible->setCurrentItem(visible->topLevelItem(0));
        dialogs.queueAnswer(Answer::Yes);
        click(editor.get(), "spbtnDelete");
    }
    EXPECT_EQ(texts(tree), QStringList({"Packets List", "Packet1"}));

    addPacket(editor.get(), {{"User-Name", "carol"}});
    EXPECT_EQ(texts(tree).last(), "Packet3");
    selectPacket(editor.get(), 1);
    dialogs.queueAnswer(Answer::Yes);
    click(editor.get(), "spbtnRemove");
    EXPECT_EQ(dialogs.lastMessageText(), "Do you really want to delete the packet?");
    EXPECT_EQ(texts(tree), QStringList({"Packets List", "Packet3"}));

    dialogs.queueAnswer(Answer::Yes);
    click(editor.get(), "spbtnClear");
    EXPECT_EQ(dialogs.lastMessageText(), "Do you really want to clear these packets?");
    EXPECT_EQ(texts(tree), QStringList({"Packets List"}));
    EXPECT_FALSE(child<QWidget>(editor.get(), "spbtnClear")->isEnabled());
    addPacket(editor.get(), {{"User-Name", "dave"}});
    EXPECT_EQ(texts(tree).last(), "Packet4"); // the counter goes on after Clear
}

TEST_F(TaskEditor, SaveRoundTripKeepsRowsAndFile)
{
    auto editor = newEditor();
    fillSettings(editor.get(), "O'Brien's check");
    choose(child<QComboBox>(editor.get(), "cboRequestType"), 4);
    retype(child<SpinEdit>(editor.get(), "CSpinEditRepeat")->editor(), "5");
    addPacket(editor.get(), {{"User-Name", "bob"}, {"User-Password", "a b"}, {"Reply-Message", "abc\\#123"}});
    addPacket(editor.get(), {{"NAS-Port", "7"}});
    child<QRadioButton>(editor.get(), "RadiobtnSchedule")->click();
    addSchedule(editor.get(), [](TfrmTaskSchedule *s) {
        auto *minutes = child<SpinEdit>(s, "edtMinute");
        retype(minutes->editor(), "45");
    });
    addSchedule(editor.get(), [](TfrmTaskSchedule *s) {
        choose(child<QComboBox>(s, "cboSchType"), 3);
        for (const char *day : {"chkWeek2", "chkWeek3", "chkWeek4", "chkWeek5", "chkWeek7"})
            child<QCheckBox>(s, day)->click();
        child<QCheckBox>(s, "chkStartTime")->click();
    });
    QSignalSpy saved(editor.get(), &TfrmTask::taskSaved);
    click(editor.get(), "spbtnOK");
    ASSERT_EQ(editor->result(), QDialog::Accepted) << dialogs.messageTexts().join("; ").toStdString();
    ASSERT_EQ(saved.size(), 1);

    const QString nowText = DateTimeText::dateTimeText(now);
    const QStringList task = taskRows("4711");
    EXPECT_EQ(task, QStringList({"AllTask|4711|O'Brien's check|127.0.0.1|testing123|1812|4|-1|PAP|1", "0|3|3|5|0|1"}));
    const QString start = DateTimeText::timeText(QTime(9, 0, 0));
    const QStringList schedules = {
        "0|45||0|" + nowText + "|" + DateTimeText::dateTimeText(now.addSecs(45 * 60LL)),
        "3||1000010|" + start + "|" + nowText + "|" + DateTimeText::dateText(QDate(2026, 3, 14)) + " " + start,
    };
    EXPECT_EQ(scheduleRows("4711"), schedules);
    const QByteArray file =
        "User-Name = bob\r\nUser-Password = \"a b\"\r\nReply-Message = abc\\#123\r\n\r\n"
        "NAS-Port = 7\r\n\r\n";
    EXPECT_EQ(dir.readFile("script/4711.txt"), file);

    const taskdef::TaskListRow row = *editor->savedRow();
    EXPECT_EQ(row.taskId, "4711");
    EXPECT_EQ(row.taskName, "O'Brien's check");
    EXPECT_EQ(row.lastRunTime, nowText);
    EXPECT_EQ(row.nextRunTime, DateTimeText::dateTimeText(now.addSecs(45 * 60LL)));
    EXPECT_EQ(row.serverIp, "127.0.0.1");
    EXPECT_EQ(row.runType, 1);

    // Reopen: everything comes back; save again unchanged.
    auto reopened = openEditor("4711");
    EXPECT_TRUE(reopened->isModifyMode());
    EXPECT_EQ(child<QLineEdit>(reopened.get(), "edtTaskName")->text(), "O'Brien's check");
    EXPECT_TRUE(child<SpinEdit>(reopened.get(), "CSpinEditCode")->isEnabled());
    EXPECT_EQ(texts(child<QTreeWidget>(reopened.get(), "trePackage")),
              QStringList({"Packages List", "Packet1", "Packet2"}));
    EXPECT_EQ(texts(child<QTreeWidget>(reopened.get(), "lvwAttr"), 1), QStringList({"bob", "a b", "abc\\#123", "7"}));
    EXPECT_TRUE(child<QRadioButton>(reopened.get(), "RadiobtnSchedule")->isChecked());
    EXPECT_EQ(texts(child<QTreeWidget>(reopened.get(), "lvwSchedule")),
              QStringList({"Run every 45 minutes", "Run on:  Monday    ,Saturday  ; Starting at " + start}));

    platform::Clock::setNow(now.addSecs(60));
    click(reopened.get(), "spbtnOK");
    ASSERT_EQ(reopened->result(), QDialog::Accepted) << dialogs.messageTexts().join("; ").toStdString();
    EXPECT_EQ(taskRows("4711"), task);
    EXPECT_EQ(dir.readFile("script/4711.txt"), file);
    const QString laterText = DateTimeText::dateTimeText(now.addSecs(60));
    EXPECT_EQ(scheduleRows("4711"),
              QStringList({"0|45||0|" + laterText + "|" + DateTimeText::dateTimeText(now.addSecs(46 * 60LL)),
                           "3||1000010|" + start + "|" + laterText + "|" + DateTimeText::dateText(QDate(2026, 3, 14))
                               + " " + start}));
    EXPECT_EQ(reopened->savedRow()->lastRunTime, laterText);
}

TEST_F(TaskEditor, ManualTaskIgnoresScheduleRowsAndStoresTheManualRow)
{
    auto editor = newEditor();
    fillSettings(editor.get());
    addPacket(editor.get(), {{"User-Name", "bob"}});
    child<QRadioButton>(editor.get(), "RadiobtnSchedule")->click();
    addSchedule(editor.get(), [](TfrmTaskSchedule *) {});
    child<QRadioButton>(editor.get(), "RadioBtnManually")->click();
    EXPECT_FALSE(child<QWidget>(editor.get(), "lvwSchedule")->isEnabled());
    click(editor.get(), "spbtnOK");
    ASSERT_EQ(editor->result(), QDialog::Accepted);
    EXPECT_EQ(scheduleRows("4711"), QStringList({"19||||" + DateTimeText::dateTimeText(now) + "|"}));
    EXPECT_EQ(editor->savedRow()->nextRunTime, "Manually");
}

TEST_F(TaskEditor, ScheduleModifyReplacesItsOwnRowWithoutBlocking)
{
    auto editor = newEditor();
    child<QRadioButton>(editor.get(), "RadiobtnSchedule")->click();
    addSchedule(editor.get(), [](TfrmTaskSchedule *) {});
    addSchedule(editor.get(), [](TfrmTaskSchedule *s) { choose(child<QComboBox>(s, "cboSchType"), 4); });
    auto *list = child<QTreeWidget>(editor.get(), "lvwSchedule");
    EXPECT_EQ(texts(list), QStringList({"Run every 30 minute(s).", "Run on 1 day of every month"}));

    list->setCurrentItem(list->topLevelItem(1));
    click(editor.get(), "spbtnSchModify");
    auto *schedule = editor->findChild<TfrmTaskSchedule *>();
    ASSERT_TRUE(schedule);
    EXPECT_TRUE(schedule->isVisible());
    EXPECT_FALSE(schedule->isModal());
    EXPECT_EQ(child<QComboBox>(schedule, "cboSchType")->currentIndex(), 4);
    // Selecting another row meanwhile does not change which row is replaced.
    list->setCurrentItem(list->topLevelItem(0));
    choose(child<QComboBox>(schedule, "cboMonth"), 14);
    click(schedule, "spbtnOK");
    EXPECT_EQ(texts(list), QStringList({"Run every 30 minute(s).", "Run on 15 day of every month"}));
    EXPECT_EQ(texts(list, 4), QStringList({"-1", "-1"}));

    list->setCurrentItem(list->topLevelItem(0));
    dialogs.queueAnswer(Answer::No);
    click(editor.get(), "spbtnSchDel");
    EXPECT_EQ(dialogs.lastMessageText(), "Delete this Schedule from the list?");
    EXPECT_EQ(list->topLevelItemCount(), 2);
    dialogs.queueAnswer(Answer::Yes);
    click(editor.get(), "spbtnSchDel");
    EXPECT_EQ(texts(list), QStringList({"Run on 15 day of every month"}));
}

// A new task's name speaks the chosen language; a stored name, "Untitled" included, stays.
TEST_F(TaskEditor, DefaultNameSpeaksTheLanguageAndStoredNamesStay)
{
    storeTask("60");
    {
        taskstore::Query query(db);
        taskstore::ExecQuery(query, "update Task set TaskName='Untitled' where TaskID='60'");
    }
    ASSERT_TRUE(platform::Language::setCurrentName(QStringLiteral("简体中文")));
    EXPECT_EQ(child<QLineEdit>(newEditor().get(), "edtTaskName")->text(), QStringLiteral(u"未命名"));
    EXPECT_EQ(child<QLineEdit>(openEditor("60").get(), "edtTaskName")->text(), "Untitled");
}

TEST_F(TaskEditor, FailedSaveLeavesThePreviousTaskWhole)
{
    storeTask("77");
    const QStringList storedTask = taskRows("77");
    const QStringList storedSchedules = scheduleRows("77");
    const QByteArray storedFile = dir.readFile("script/77.txt");
    ASSERT_FALSE(storedFile.isEmpty());

    auto editor = openEditor("77");
    retype(child<QLineEdit>(editor.get(), "edtTaskName"), "Changed");
    addPacket(editor.get(), {{"User-Name", "new"}});

    // A statement rejected part-way through.
    failInserts(db, "TaskSchedule");
    click(editor.get(), "spbtnOK");
    EXPECT_TRUE(dialogs.lastMessageText().contains("injected failure"));
    EXPECT_NE(editor->result(), QDialog::Accepted);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(taskRows("77"), storedTask);
    EXPECT_EQ(scheduleRows("77"), storedSchedules);
    EXPECT_EQ(dir.readFile("script/77.txt"), storedFile);
    healInserts(db);

    // A script directory that is missing.
    ASSERT_TRUE(QDir(dir.filePath("script")).removeRecursively());
    click(editor.get(), "spbtnOK");
    EXPECT_TRUE(dialogs.lastMessageText().contains("script/77.txt")) << dialogs.lastMessageText().toStdString();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(taskRows("77"), storedTask);
    EXPECT_EQ(child<QLineEdit>(editor.get(), "edtTaskName")->text(), "Changed");

    // Once the directory is back the same edits save.
    ASSERT_TRUE(QDir().mkpath(dir.filePath("script")));
    click(editor.get(), "spbtnOK");
    ASSERT_EQ(editor->result(), QDialog::Accepted);
    EXPECT_EQ(taskRows("77").first().section('|', 2, 2), "Changed");
    EXPECT_EQ(dir.readFile("script/77.txt"), "User-Name = old\r\n\r\nUser-Name = new\r\n\r\n");
}

TEST_F(TaskEditor, LoadsEveryPacketOfALongFile)
{
    storeTask("88");
    QByteArray script;
    for (int i = 1; i <= 150; ++i)
        script += "User-Name = u" + QByteArray::number(i) + "\r\nNAS-Port = " + QByteArray::number(i) + "\r\n\r\n";
    ASSERT_TRUE(dir.writeFile("script/88.txt", script));
    auto editor = openEditor("88");
    auto *tree = child<QTreeWidget>(editor.get(), "trePackage");
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 150);
    EXPECT_EQ(tree->topLevelItem(0)->child(149)->text(0), "Packet150");
    // Every row key is distinct, so one Delete removes one row.
    QSet<QString> keys;
    for (const QString &key : texts(child<QTreeWidget>(editor.get(), "lvwAttr"), 2))
        keys.insert(key);
    EXPECT_EQ(keys.size(), 300);
    addPacket(editor.get(), {{"User-Name", "last"}});
    EXPECT_EQ(tree->topLevelItem(0)->child(150)->text(0), "Packet151"); // the counter starts from the node count
    click(editor.get(), "spbtnOK");
    ASSERT_EQ(editor->result(), QDialog::Accepted);
    EXPECT_EQ(dir.readFile("script/88.txt"), script + "User-Name = last\r\n\r\n");
}

TEST_F(TaskEditor, PartlyReadableScriptFileIsReported)
{
    storeTask("89");
    ASSERT_TRUE(dir.writeFile("script/89.txt", "User-Name = a\r\n\r\n  # not a comment\r\nUser-Name = b\r\n\r\n"));
    auto editor = openEditor("89");
    EXPECT_EQ(texts(child<QTreeWidget>(editor.get(), "trePackage")), QStringList({"Packages List", "Packet1"}));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(
        dialogs.lastMessageText().startsWith("The packet script file of this task could not be read completely"));
}

TEST_F(TaskEditor, ExportThenImportIntoAnotherTask)
{
    auto first = newEditor("1");
    addPacket(first.get(), {{"User-Name", "bob"}, {"Reply-Message", "a, b"}});
    addPacket(first.get(), {{"NAS-Port", "7"}});
    const QString exported = dir.filePath("packets.txt");
    dialogs.queueFileName(exported);
    click(first.get(), "btnExport");
    ASSERT_TRUE(QFile::exists(exported));

    auto second = newEditor("2");
    addPacket(second.get(), {{"User-Name", "own"}});
    dialogs.queueFileName(exported);
    click(second.get(), "btnImport");
    auto *tree = child<QTreeWidget>(second.get(), "trePackage");
    EXPECT_EQ(texts(tree), QStringList({"Packets List", "Packet1", "Packet2", "Packet3"}));
    selectPacket(second.get(), 2);
    EXPECT_EQ(texts(child<QTreeWidget>(second.get(), "lvwAttr"), 1), QStringList({"bob", "a, b"}));
}

TEST_F(TaskEditor, OctetsThatAreNotUtf8SurviveLoadImportAndSave)
{
    storeTask("91");
    // An octal escape, a Latin-1 octet as older tools wrote them, and UTF-8.
    const QByteArray script =
        "User-Name = caf\\351\r\nReply-Message = \"na\xEFve x\"\r\nFilter-Id = Caf\xC3\xA9\r\n"
        "X-\xE9 = 1\r\n\r\n";
    ASSERT_TRUE(dir.writeFile("script/91.txt", script));
    ASSERT_TRUE(dir.writeFile("latin1.txt", "#P\r\nUser-Name = ol\xE9\r\n"));
    auto editor = openEditor("91");
    auto *visible = child<QTreeWidget>(editor.get(), "lvwAttr");
    EXPECT_EQ(texts(visible, 1), QStringList({"caf\\351", "na\\357ve x", QString::fromUtf8("Caf\xC3\xA9"), "1"}));
    EXPECT_EQ(texts(visible).last(), "X-\\351");
    dialogs.queueFileName(dir.filePath("latin1.txt"));
    click(editor.get(), "btnImport");
    selectPacket(editor.get(), 2);
    EXPECT_EQ(texts(visible, 1), QStringList({"ol\\351"}));

    click(editor.get(), "spbtnOK");
    ASSERT_EQ(editor->result(), QDialog::Accepted) << dialogs.messageTexts().join("; ").toStdString();
    const QByteArray saved = dir.readFile("script/91.txt");
    EXPECT_TRUE(saved.contains("Filter-Id = Caf\xC3\xA9\r\n")) << saved.toStdString(); // UTF-8 is written as it is
    const auto packets = taskdef::PacketTextReader::readFile(dir.filePath("script/91.txt"));
    ASSERT_TRUE(packets);
    QList<QByteArray> pairs;
    for (const taskdef::ScriptPacket &packet : *packets)
        for (const taskdef::ScriptPair &pair : packet)
            pairs << pair.name + "=" + pair.value;
    EXPECT_EQ(pairs,
              QList<QByteArray>({"User-Name=caf\xE9", "Reply-Message=na\xEFve x", "Filter-Id=Caf\xC3\xA9", "X-\xE9=1",
                                 "User-Name=ol\xE9"}));
}

TEST_F(TaskEditor, ModifyWithoutAnEditKeepsAnEscapedBlank)
{
    storeTask("92");
    ASSERT_TRUE(dir.writeFile("script/92.txt", "User-Name = \"x \"\r\n\r\n"));
    auto editor = openEditor("92");
    auto *visible = child<QTreeWidget>(editor.get(), "lvwAttr");
    selectPacket(editor.get(), 1);
    EXPECT_EQ(texts(visible, 1), QStringList({"x\\ "}));
    whenModalOpens<TfrmPackage>([](TfrmPackage *packet) {
        EXPECT_EQ(packet->rows().value(0).value, "x\\ ");
        click(packet, "spbtnOK");
    });
    click(editor.get(), "spbtnModify");
    EXPECT_EQ(texts(visible, 1), QStringList({"x\\ "}));
    click(editor.get(), "spbtnOK");
    ASSERT_EQ(editor->result(), QDialog::Accepted) << dialogs.messageTexts().join("; ").toStdString();
    const auto packets = taskdef::PacketTextReader::readFile(dir.filePath("script/92.txt"));
    ASSERT_TRUE(packets);
    ASSERT_EQ(packets->size(), 1);
    EXPECT_EQ(packets->first().value(0).value, "x ");
}

TEST_F(TaskEditor, LeavingATypedListFieldRunsNoRule)
{
    {
        taskstore::Query query(db);
        taskstore::ExecQuery(query, taskstore::sql::insertServer("1", "127.0.0.1", "testing123"));
    }
    auto editor = newEditor();
    addPacket(editor.get(), {{"User-Name", "bob"}});
    child<QTabWidget>(editor.get(), "PageControl")->setCurrentIndex(0);
    activate(editor.get());
    auto *server = child<QComboBox>(editor.get(), "cboServerIP");
    auto *secret = child<QLineEdit>(editor.get(), "edtSecretKey");
    QSignalSpy serverChosen(server, &QComboBox::activated);
    server->setFocus();
    QTest::keyClicks(server->lineEdit(), "127.0.0.1");
    tabAway(server);
    EXPECT_EQ(serverChosen.size(), 0);
    EXPECT_EQ(server->currentIndex(), -1);
    EXPECT_EQ(server->currentText(), "127.0.0.1");
    EXPECT_EQ(secret->text(), ""); // the user types the secret next, once

    auto *mode = child<QComboBox>(editor.get(), "cboMode");
    auto *parallel = child<SpinEdit>(editor.get(), "CSpinEditParallel");
    auto *perSecond = child<SpinEdit>(editor.get(), "CSpinEditPer");
    parallel->setValue(8);
    perSecond->setValue(50);
    retype(mode->lineEdit(), "EAP-SIM");
    QSignalSpy modeChanged(mode, &QComboBox::currentIndexChanged);
    tabAway(mode);
    EXPECT_EQ(modeChanged.size(), 0);
    EXPECT_EQ(mode->currentText(), "EAP-SIM");
    EXPECT_EQ(parallel->value(), 8);
    EXPECT_EQ(perSecond->value(), 50);
    EXPECT_TRUE(parallel->isEnabled());

    QTest::keyClicks(secret, "testing123");
    click(editor.get(), "spbtnOK");
    ASSERT_EQ(editor->result(), QDialog::Accepted) << dialogs.messageTexts().join("; ").toStdString();
    EXPECT_EQ(taskRows("4711"),
              QStringList({"AllTask|4711|Untitled|127.0.0.1|testing123|1812|0|1|EAP-SIM|0", "0|3|3|1|50|8"}));
}

// A server may be an IPv6 address, typed with or without brackets or picked from the
// server list; it is stored as typed.
TEST_F(TaskEditor, Ipv6ServersAreTypedOrPickedAndSaved)
{
    {
        taskstore::Query query(db);
        taskstore::ExecQuery(query, taskstore::sql::insertServer("1", "fd00::5", "v6secret"));
    }
    const char *typed[] = {"::1", "[::1]", "fe80::a:B2", "2001:db8::ffff:1"};
    int next = 5000;
    for (const char *server : typed) {
        const QString id = QString::number(next++);
        auto editor = newEditor(id);
        addPacket(editor.get(), {{"User-Name", "bob"}});
        child<QTabWidget>(editor.get(), "PageControl")->setCurrentIndex(0);
        activate(editor.get());
        auto *box = child<QComboBox>(editor.get(), "cboServerIP");
        box->setFocus();
        QTest::keyClicks(box->lineEdit(), server);
        tabAway(box);
        EXPECT_EQ(box->currentText(), server);
        QTest::keyClicks(child<QLineEdit>(editor.get(), "edtSecretKey"), "testing123");
        click(editor.get(), "spbtnOK");
        ASSERT_EQ(editor->result(), QDialog::Accepted) << server << dialogs.messageTexts().join("; ").toStdString();
        EXPECT_EQ(taskRows(id).value(0).section('|', 3, 4), QString(server) + "|testing123") << server;
    }

    auto editor = newEditor("5100");
    addPacket(editor.get(), {{"User-Name", "bob"}});
    child<QTabWidget>(editor.get(), "PageControl")->setCurrentIndex(0);
    choose(child<QComboBox>(editor.get(), "cboServerIP"), 0);
    EXPECT_EQ(child<QLineEdit>(editor.get(), "edtSecretKey")->text(), "v6secret");
    click(editor.get(), "spbtnOK");
    ASSERT_EQ(editor->result(), QDialog::Accepted) << dialogs.messageTexts().join("; ").toStdString();
    EXPECT_EQ(taskRows("5100").value(0).section('|', 3, 4), "fd00::5|v6secret");
}

TEST_F(TaskEditor, PacketNamesStayUniqueThroughWindowEvents)
{
    ASSERT_TRUE(dir.writeFile("one.txt", "#P\r\nUser-Name = imported\r\n"));
    auto editor = newEditor();
    auto *tree = child<QTreeWidget>(editor.get(), "trePackage");
    addPacket(editor.get(), {{"User-Name", "a"}});
    addPacket(editor.get(), {{"User-Name", "b"}});
    selectPacket(editor.get(), 1);
    dialogs.queueAnswer(Answer::Yes);
    click(editor.get(), "spbtnRemove");
    ASSERT_EQ(texts(tree), QStringList({"Packets List", "Packet2"}));

    editor->hide();
    editor->show();
    dialogs.queueFileName(dir.filePath("one.txt"));
    click(editor.get(), "btnImport");
    EXPECT_EQ(texts(tree), QStringList({"Packets List", "Packet2", "Packet3"}));

    editor->showMinimized();
    editor->showNormal();
    addPacket(editor.get(), {{"User-Name", "c"}});
    dialogs.queueFileName(dir.filePath("one.txt"));
    click(editor.get(), "btnImport");
    EXPECT_EQ(texts(tree), QStringList({"Packets List", "Packet2", "Packet3", "Packet4", "Packet5"}));
    selectPacket(editor.get(), 2);
    EXPECT_EQ(texts(child<QTreeWidget>(editor.get(), "lvwAttr"), 1), QStringList({"imported"}));
}

TEST_F(TaskEditor, EmptiedNumberFieldReachesTheChecksEmpty)
{
    auto editor = newEditor();
    fillSettings(editor.get());
    addPacket(editor.get(), {{"User-Name", "bob"}});
    child<QTabWidget>(editor.get(), "PageControl")->setCurrentIndex(0);
    activate(editor.get());
    choose(child<QComboBox>(editor.get(), "cboRequestType"), 4);
    auto *code = child<SpinEdit>(editor.get(), "CSpinEditCode");
    retype(code->editor(), "");
    tabAway(code);
    EXPECT_EQ(code->editor()->text(), "");
    click(editor.get(), "spbtnOK");
    EXPECT_EQ(dialogs.lastMessageText(), "Request Code is empty!");
    EXPECT_TRUE(editor->isVisible());
    // The spin buttons start again from a number.
    code->setFocus();
    QTest::keyClick(code, Qt::Key_Up);
    EXPECT_FALSE(code->editor()->text().isEmpty());
}

TEST_F(TaskEditor, FileDialogsShowTheirFilterTextsAndMatchEveryFile)
{
    ASSERT_TRUE(dir.writeFile("files/README", "x"));
    auto editor = newEditor();
    addPacket(editor.get(), {{"User-Name", "bob"}});
    platform::DialogService::install(nullptr); // the real dialogs
    for (const char *command : {"btnImport", "btnExport"}) {
        bool inspected = false;
        whenModalOpens<QFileDialog>([this, &inspected](QFileDialog *files) {
            const auto close = qScopeGuard([files] { files->reject(); });
            files->setDirectory(dir.filePath("files"));
            auto *types = files->findChild<QComboBox *>("fileTypeCombo");
            ASSERT_TRUE(types);
            QStringList shown;
            for (int i = 0; i < types->count(); ++i)
                shown << types->itemText(i);
            EXPECT_EQ(shown, QStringList({"Text Files (*.txt)", "Doc Files (*.doc)", "All Files (*.*)"}));
            choose(types, 2);
            auto *model = files->findChild<QFileSystemModel *>();
            ASSERT_TRUE(model);
            EXPECT_TRUE(QDir::match(model->nameFilters(), "README")) << model->nameFilters().join(' ').toStdString();
            EXPECT_TRUE(QDir::match(model->nameFilters(), "a.txt"));
            inspected = true;
        });
        click(editor.get(), command);
        EXPECT_TRUE(inspected) << command;
    }
    platform::DialogService::install(&dialogs);
}

// The next editor opens at the size the last one was left at, however that one ended.
TEST_F(TaskEditor, TheNextEditorOpensAtTheSizeTheLastWasLeft)
{
    auto first = newEditor();
    first->resize(first->size() + QSize(120, 60));
    const QSize left = first->size();
    QTest::keyClick(first.get(), Qt::Key_Escape);
    ASSERT_FALSE(first->isVisible());
    EXPECT_EQ(newEditor()->size(), left);
}

TEST_F(TaskEditor, EscCancelsAndChangesNothing)
{
    auto editor = newEditor();
    fillSettings(editor.get());
    addPacket(editor.get(), {{"User-Name", "bob"}});
    dialogs.queueAnswer(Answer::Yes); // discard the changes
    QTest::keyClick(editor.get(), Qt::Key_Escape);
    EXPECT_EQ(dialogs.messageTexts(), QStringList({"Discard your changes?"}));
    EXPECT_EQ(editor->result(), QDialog::Rejected);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(taskRows("4711").isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("script/4711.txt")));
}

TEST_F(TaskEditor, ClosingAfterAChangeAsksFirst)
{
    storeTask("93");
    {
        // Loaded and not changed: Cancel closes at once.
        auto editor = openEditor("93");
        click(editor.get(), "spbtnCancel");
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(dialogs.messageTexts(), QStringList());
    }
    auto editor = openEditor("93");
    auto *name = child<QLineEdit>(editor.get(), "edtTaskName");
    const QString stored = name->text();
    retype(name, "Other name");
    QTest::keyClick(editor.get(), Qt::Key_Escape); // unscripted: No
    EXPECT_EQ(dialogs.messageTexts(), QStringList({"Discard your changes?"}));
    EXPECT_EQ(dialogs.messages().first().buttons, platform::MessageButtons::YesNo);
    EXPECT_TRUE(editor->isVisible());
    // Typed back as it was, nothing is lost by closing.
    retype(name, stored);
    click(editor.get(), "spbtnCancel");
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(dialogs.messages().size(), 1);

    // Choosing to run by schedule, with a rule, is a change too.
    auto scheduled = openEditor("93");
    child<QRadioButton>(scheduled.get(), "RadiobtnSchedule")->click();
    addSchedule(scheduled.get(), [](TfrmTaskSchedule *) {});
    dialogs.clear();
    click(scheduled.get(), "spbtnCancel");
    EXPECT_TRUE(scheduled->isVisible());
    dialogs.queueAnswer(Answer::Yes);
    click(scheduled.get(), "spbtnCancel");
    EXPECT_FALSE(scheduled->isVisible());
    EXPECT_EQ(dialogs.messageTexts(), QStringList({"Discard your changes?", "Discard your changes?"}));
}

TEST_F(TaskEditor, UnwritableRowIsNamedWithItsPacketAttributeAndReason)
{
    auto editor = newEditor();
    fillSettings(editor.get());
    addPacket(editor.get(), {{"User-Name", "bob"}});
    addPacket(editor.get(), {{"My-Long-Attr", QString(300, 'v')}}); // not in the dictionary: taken as typed
    child<QTabWidget>(editor.get(), "PageControl")->setCurrentIndex(0);
    click(editor.get(), "spbtnOK");
    const QString message = dialogs.lastMessageText();
    EXPECT_TRUE(message.contains("Packet2, My-Long-Attr: the value takes 300 characters of a line, at most 256"))
        << message.toStdString();
    EXPECT_FALSE(message.contains(QString(40, 'v'))) << "the value is not repeated in full";
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(child<QTabWidget>(editor.get(), "PageControl")->currentWidget()->objectName(), "TabSheetPackage");
    EXPECT_TRUE(taskRows("4711").isEmpty());
}

TEST_F(TaskEditor, AttributeColumnFitsItsContent)
{
    auto editor = newEditor();
    addPacket(editor.get(), {{"Framed-IP-Address-And-More", "10.0.0.1"}});
    auto *list = child<QTreeWidget>(editor.get(), "lvwAttr");
    EXPECT_GE(list->columnWidth(0), list->fontMetrics().horizontalAdvance("Framed-IP-Address-And-More"));
    EXPECT_TRUE(list->header()->stretchLastSection());
}

TEST_F(TaskEditor, OpensShowingEveryControlAndTabInBothLanguages)
{
    for (const char *language : {"English", "简体中文"}) {
        ASSERT_TRUE(platform::Language::setCurrentName(QString::fromUtf8(language)));
        auto editor = newEditor();
        expectNothingCut(editor.get(), language);
    }
}

TEST_F(TaskEditor, LanguageFileTextsApplyWhenShown)
{
    ASSERT_TRUE(dir.writeFile("Language/Test.ini",
                              "[frmTask]\nlblTaskName.Caption=Name:\nlvwAttr.Column2.Caption=Wert\n"
                              "frmTask.Caption=Aufgabe\n[Button_Common]\nspbtnAdd.Caption=&Neu\n"));
    ASSERT_TRUE(platform::Language::setCurrentName("Test"));
    auto editor = newEditor();
    EXPECT_EQ(editor->windowTitle(), "Aufgabe");
    EXPECT_EQ(child<QLabel>(editor.get(), "lblTaskName")->text(), "  Name:");
    EXPECT_EQ(child<QTreeWidget>(editor.get(), "lvwAttr")->headerItem()->text(1), "Wert");
    EXPECT_EQ(child<QAbstractButton>(editor.get(), "spbtnAdd")->text(), "&Neu");
    EXPECT_EQ(child<QAbstractButton>(editor.get(), "spbtnSchAdd")->text(), "&Add...");
}

} // namespace

namespace {

using taskstore::AttributeCheck;
using taskstore::CheckOperator;
using taskstore::PacketExpectation;
namespace replycode = taskstore::replycode;

// The Expectations page, driven with the keyboard as a user would.
class ExpectationEditor : public TaskEditor {
protected:
    static void openPage(TfrmTask *editor)
    {
        auto *pages = child<QTabWidget>(editor, "PageControl");
        pages->setCurrentWidget(child<QWidget>(editor, "TabSheetExpectation"));
    }

    static void chooseText(TfrmTask *editor, const char *combo, const QString &text)
    {
        auto *box = child<QComboBox>(editor, combo);
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        choose(box, index);
    }

    static void typeTimeLimit(TfrmTask *editor, const QString &milliseconds)
    {
        auto *limit = child<QSpinBox>(editor, "spnExpTimeLimit");
        limit->setFocus();
        limit->selectAll();
        QTest::keyClicks(limit, milliseconds);
    }

    // Attribute typed, kind chosen, value typed and Enter (Add Check for a kind without value).
    static void addCheck(TfrmTask *editor, const QString &attribute, const QString &kind, const QString &value = {})
    {
        auto *name = child<QComboBox>(editor, "cboExpAttr");
        name->setFocus();
        QTest::keyClicks(name->lineEdit(), attribute);
        chooseText(editor, "cboExpCheck", kind);
        if (value.isEmpty()) {
            click(editor, "spbtnExpAdd");
            return;
        }
        auto *field = child<QLineEdit>(editor, "edtExpValue");
        field->setFocus();
        QTest::keyClicks(field, value);
        QTest::keyClick(field, Qt::Key_Return);
    }

    QList<PacketExpectation> stored(const QString &taskId)
    {
        const auto result = taskstore::ExpectationStore(db).expectationsOf(taskId);
        EXPECT_TRUE(result.ok()) << result.error().toStdString();
        return result.value();
    }

    static PacketExpectation expectation(int packet, std::optional<int> code, QList<AttributeCheck> checks = {},
                                         std::optional<int> limit = {})
    {
        return {packet, code, std::move(checks), limit};
    }
};

// The checks' headings show whole on an empty list and after a long check, in both languages.
TEST_F(ExpectationEditor, CheckHeadingsShowWhole)
{
    for (const char *language : {"English", "简体中文"}) {
        ASSERT_TRUE(platform::Language::setCurrentName(QString::fromUtf8(language)));
        auto editor = newEditor();
        addPacket(editor.get(), {{"User-Name", "bob"}});
        openPage(editor.get());
        auto *checks = child<QTreeWidget>(editor.get(), "lvwExpChecks");
        QStringList cut = testsupport::cutHeadings(*checks->header());
        EXPECT_TRUE(cut.isEmpty()) << language << ", empty: " << cut.join("; ").toStdString();
        auto *name = child<QComboBox>(editor.get(), "cboExpAttr");
        name->setFocus();
        QTest::keyClicks(name->lineEdit(), "Reply-Message");
        auto *kind = child<QComboBox>(editor.get(), "cboExpCheck");
        choose(kind, kind->findData(int(CheckOperator::Present)));
        click(editor.get(), "spbtnExpAdd");
        ASSERT_EQ(checks->topLevelItemCount(), 1);
        cut = testsupport::cutHeadings(*checks->header());
        EXPECT_TRUE(cut.isEmpty()) << language << ", one check: " << cut.join("; ").toStdString();
    }
}

TEST_F(ExpectationEditor, SavedWithTheTaskAndShownAgainPerPacket)
{
    auto editor = newEditor("501");
    fillSettings(editor.get());
    addPacket(editor.get(), {{"User-Name", "bob"}});
    addPacket(editor.get(), {{"User-Name", "eve"}});
    openPage(editor.get());
    EXPECT_EQ(child<QComboBox>(editor.get(), "cboExpPacket")->currentText(), "Packet2"); // the packet last added

    chooseText(editor.get(), "cboExpPacket", "Packet1");
    chooseText(editor.get(), "cboExpReply", "no reply");
    chooseText(editor.get(), "cboExpPacket", "Packet2");
    chooseText(editor.get(), "cboExpReply", "Access-Reject");
    typeTimeLimit(editor.get(), "50");
    addCheck(editor.get(), "Reply-Message", "matches", "^Go (away|home)$");
    addCheck(editor.get(), "Framed-IP-Address", "absent");
    // Looking at the other packet again leaves this one's as they were.
    chooseText(editor.get(), "cboExpPacket", "Packet1");
    EXPECT_EQ(child<QTreeWidget>(editor.get(), "lvwExpChecks")->topLevelItemCount(), 0);
    chooseText(editor.get(), "cboExpPacket", "Packet2");
    click(editor.get(), "spbtnOK");
    ASSERT_EQ(editor->result(), QDialog::Accepted);

    const QList<AttributeCheck> checks{{"Reply-Message", CheckOperator::Matches, "^Go (away|home)$"},
                                       {"Framed-IP-Address", CheckOperator::Absent, ""}};
    EXPECT_EQ(stored("501"),
              QList<PacketExpectation>(
                  {expectation(1, replycode::kNoReply), expectation(2, replycode::kAccessReject, checks, 50)}));

    auto reopened = openEditor("501");
    openPage(reopened.get());
    auto *packet = child<QComboBox>(reopened.get(), "cboExpPacket");
    EXPECT_EQ(packet->currentText(), "Packet1");
    EXPECT_EQ(child<QComboBox>(reopened.get(), "cboExpReply")->currentText(), "no reply");
    EXPECT_EQ(child<QSpinBox>(reopened.get(), "spnExpTimeLimit")->text(), "no limit");
    chooseText(reopened.get(), "cboExpPacket", "Packet2");
    EXPECT_EQ(child<QComboBox>(reopened.get(), "cboExpReply")->currentText(), "Access-Reject");
    EXPECT_EQ(child<QSpinBox>(reopened.get(), "spnExpTimeLimit")->value(), 50);
    auto *list = child<QTreeWidget>(reopened.get(), "lvwExpChecks");
    EXPECT_EQ(texts(list, 0), QStringList({"Reply-Message", "Framed-IP-Address"}));
    EXPECT_EQ(texts(list, 1), QStringList({"matches", "absent"}));
    EXPECT_EQ(texts(list, 2), QStringList({"^Go (away|home)$", ""}));

    // Removing a check and choosing "any" again: only the time limit is left to keep.
    list->setCurrentItem(list->topLevelItem(0));
    click(reopened.get(), "spbtnExpRemove");
    list->setCurrentItem(list->topLevelItem(0));
    click(reopened.get(), "spbtnExpRemove");
    chooseText(reopened.get(), "cboExpReply", "any");
    chooseText(reopened.get(), "cboExpPacket", "Packet1");
    chooseText(reopened.get(), "cboExpReply", "any");
    click(reopened.get(), "spbtnOK");
    ASSERT_EQ(reopened->result(), QDialog::Accepted);
    EXPECT_EQ(stored("501"), QList<PacketExpectation>({expectation(2, std::nullopt, {}, 50)}));
}

// Each refusal names the packet and the attribute, shows the page at that packet, and
// stores nothing.
TEST_F(ExpectationEditor, ChecksThatCannotWorkAreRefusedOnOk)
{
    struct Case {
        const char *attribute;
        const char *kind;
        const char *value;
        const char *message;
    };
    const Case cases[] = {
        {"Reply-Message", "matches", "([a-z]+",
         "Packet2, Reply-Message: \"([a-z]+\" is not a valid regular expression (missing closing parenthesis at 7)"},
        {"Reply-Message", "matches", "a{2,1}", "Packet2, Reply-Message: \"a{2,1}\" is not a valid regular expression"},
        {"Session-Timeout", "equals", "soon", "Packet2, Session-Timeout: \"soon\" is not a value of type integer"},
    };
    // Values compared with "equals" are checked through the library's dictionary.
    ASSERT_TRUE(radius::Dictionary::load(testsupport::TempProgramDir::sourceDataDir() + "/dictionary").ok());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        dialogs.clear();
        auto editor = newEditor("502");
        fillSettings(editor.get());
        addPacket(editor.get(), {{"User-Name", "bob"}});
        addPacket(editor.get(), {{"User-Name", "eve"}});
        openPage(editor.get());
        addCheck(editor.get(), c.attribute, c.kind, c.value);
        chooseText(editor.get(), "cboExpPacket", "Packet1");
        child<QTabWidget>(editor.get(), "PageControl")->setCurrentIndex(0);
        click(editor.get(), "spbtnOK");
        EXPECT_TRUE(dialogs.lastMessageText().startsWith(c.message)) << dialogs.lastMessageText().toStdString();
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(child<QTabWidget>(editor.get(), "PageControl")->currentWidget()->objectName(), "TabSheetExpectation");
        EXPECT_EQ(child<QComboBox>(editor.get(), "cboExpPacket")->currentText(), "Packet2");
        EXPECT_TRUE(taskRows("502").isEmpty());
        EXPECT_TRUE(stored("502").isEmpty());
    }
}

TEST_F(ExpectationEditor, AddCheckRefusesAnEmptyAttributeOrValue)
{
    auto editor = newEditor();
    addPacket(editor.get(), {{"User-Name", "bob"}});
    openPage(editor.get());
    chooseText(editor.get(), "cboExpCheck", "present");
    EXPECT_FALSE(child<QLineEdit>(editor.get(), "edtExpValue")->isEnabled()); // present takes no value
    click(editor.get(), "spbtnExpAdd");
    EXPECT_EQ(dialogs.lastMessageText(), "Attribute is empty!");
    addCheck(editor.get(), "Reply-Message", "contains", "");
    EXPECT_EQ(dialogs.lastMessageText(), "Value is empty!");
    EXPECT_EQ(child<QTreeWidget>(editor.get(), "lvwExpChecks")->topLevelItemCount(), 0);
}

// A packet's expectations go with it: a removed packet's go, and a later packet's follow
// it to its new place in the file.
TEST_F(ExpectationEditor, RemovedPacketsTakeTheirExpectationsAndLaterOnesMoveUp)
{
    auto editor = newEditor("503");
    fillSettings(editor.get());
    for (const char *user : {"ann", "bob", "cid"})
        addPacket(editor.get(), {{"User-Name", user}});
    openPage(editor.get());
    chooseText(editor.get(), "cboExpPacket", "Packet2");
    chooseText(editor.get(), "cboExpReply", "Access-Reject");
    chooseText(editor.get(), "cboExpPacket", "Packet3");
    chooseText(editor.get(), "cboExpReply", "Access-Accept");

    child<QTabWidget>(editor.get(), "PageControl")->setCurrentWidget(child<QWidget>(editor.get(), "TabSheetPackage"));
    selectPacket(editor.get(), 2);
    dialogs.queueAnswer(Answer::Yes);
    click(editor.get(), "spbtnRemove");
    addPacket(editor.get(), {{"User-Name", "dan"}}); // a new packet starts without any
    openPage(editor.get());
    auto *packets = child<QComboBox>(editor.get(), "cboExpPacket");
    QStringList names;
    for (int i = 0; i < packets->count(); ++i)
        names << packets->itemText(i);
    EXPECT_EQ(names, QStringList({"Packet1", "Packet3", "Packet4"}));
    EXPECT_EQ(child<QComboBox>(editor.get(), "cboExpReply")->currentText(), "any");
    click(editor.get(), "spbtnOK");
    ASSERT_EQ(editor->result(), QDialog::Accepted);
    EXPECT_EQ(stored("503"), QList<PacketExpectation>({expectation(2, replycode::kAccessAccept)}));

    auto reopened = openEditor("503");
    openPage(reopened.get());
    chooseText(reopened.get(), "cboExpPacket", "Packet2");
    EXPECT_EQ(child<QComboBox>(reopened.get(), "cboExpReply")->currentText(), "Access-Accept");
}

TEST(TaskExpectations, NumbersFollowThePacketsTheFileWillHold)
{
    taskdef::TaskExpectations expectations;
    expectations.set("Packet2", {0, replycode::kAccessAccept, {}, {}});
    expectations.set("Packet5", {0, replycode::kAccessReject, {}, {}});
    expectations.set("Packet7", {0, {}, {}, 10});
    expectations.set("Packet9", {}); // empty: not kept
    taskdef::PacketTable table;
    // Packet3 lost its last row: the file skips it, and the packets after it move up.
    table.packets = {"Packet2", "Packet3", "Packet5", "Packet7"};
    table.rows = {
        {"User-Name", "a", "1", "Packet2"}, {"User-Name", "c", "3", "Packet5"}, {"User-Name", "d", "4", "Packet7"}};
    EXPECT_EQ(expectations.numbered(table),
              QList<PacketExpectation>(
                  {{1, replycode::kAccessAccept, {}, {}}, {2, replycode::kAccessReject, {}, {}}, {3, {}, {}, 10}}));
    expectations.keepOnly({"Packet5"});
    EXPECT_EQ(expectations.numbered(table), QList<PacketExpectation>({{2, replycode::kAccessReject, {}, {}}}));
}

TEST_F(ExpectationEditor, AFailedWriteOfTheExpectationsLeavesTheTaskAsItWas)
{
    storeTask("77");
    const QStringList storedTask = taskRows("77");
    auto editor = openEditor("77");
    retype(child<QLineEdit>(editor.get(), "edtTaskName"), "Changed");
    openPage(editor.get());
    chooseText(editor.get(), "cboExpReply", "Access-Accept");

    failInserts(db, "TaskExpectation");
    click(editor.get(), "spbtnOK");
    EXPECT_TRUE(dialogs.lastMessageText().contains("injected failure")) << dialogs.lastMessageText().toStdString();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(taskRows("77"), storedTask);
    EXPECT_TRUE(stored("77").isEmpty());
    healInserts(db);

    click(editor.get(), "spbtnOK");
    ASSERT_EQ(editor->result(), QDialog::Accepted);
    EXPECT_EQ(taskRows("77").first().section('|', 2, 2), "Changed");
    EXPECT_EQ(stored("77"), QList<PacketExpectation>({expectation(1, replycode::kAccessAccept)}));
}

TEST_F(ExpectationEditor, AChangedExpectationIsAChangeToDiscard)
{
    storeTask("78");
    auto editor = openEditor("78");
    openPage(editor.get());
    typeTimeLimit(editor.get(), "250");
    click(editor.get(), "spbtnCancel"); // unscripted: No
    EXPECT_EQ(dialogs.messageTexts(), QStringList({"Discard your changes?"}));
    EXPECT_TRUE(editor->isVisible());
    dialogs.queueAnswer(Answer::Yes);
    click(editor.get(), "spbtnCancel");
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(stored("78").isEmpty());
}

TEST_F(ExpectationEditor, ADuplicateTakesTheExpectationsAlong)
{
    storeTask("79");
    const QList<PacketExpectation> expectations{
        expectation(1, replycode::kAccessAccept, {{"Session-Timeout", CheckOperator::Equals, "3600"}}, 20)};
    ASSERT_TRUE(taskstore::ExpectationStore(db).replace("79", expectations).ok());
    ASSERT_TRUE(taskdef::duplicateTask(db, "79", "80", now));
    EXPECT_EQ(stored("80"), expectations);
}

TEST_F(ExpectationEditor, TheAttributeSearchNarrowsTheDictionaryList)
{
    const radius::DictionaryCatalog catalog = radius::DictionaryFileReader::read(dir.filePath("dictionary/dictionary"));
    TfrmTask editor(db, &catalog);
    editor.startNew("4711", "AllTask");
    editor.show();
    addPacket(&editor, {{"User-Name", "bob"}});
    openPage(&editor);
    auto *names = child<QComboBox>(&editor, "cboExpAttr");
    const int all = names->count();
    QTest::keyClicks(child<QLineEdit>(&editor, "edtExpAttrFilter"), "framed-ip");
    ASSERT_GT(names->count(), 0);
    EXPECT_LT(names->count(), all);
    EXPECT_GE(names->findText("Framed-IP-Address"), 0);
    for (int i = 0; i < names->count(); ++i)
        EXPECT_TRUE(names->itemText(i).contains("Framed-IP", Qt::CaseInsensitive)) << names->itemText(i).toStdString();
}

} // namespace

// The Transport page: TLS files picked through the file dialog and checked on OK, the
// settings stored in a row of their own and shown again, the defaults storing no row.
TEST_F(TaskEditor, TransportPageStoresTlsSettingsAndRefusesMissingFiles)
{
    ASSERT_TRUE(dir.writeFile("pki/ca.pem", "ca"));
    ASSERT_TRUE(dir.writeFile("pki/client.pem", "cert"));
    const QString transportRows = "select * from TaskTransport where TaskID='4711'";
    const QStringList columns = {
        "Protocol", "CaFile", "CertFile", "KeyFile", "MessageAuthenticatorFirst", "RequireMessageAuthenticator"};

    auto editor = newEditor();
    fillSettings(editor.get());
    addPacket(editor.get(), {{"User-Name", "bob"}});
    auto *pages = child<QTabWidget>(editor.get(), "PageControl");
    auto *caFile = child<QLineEdit>(editor.get(), "edtCaFile");
    EXPECT_FALSE(caFile->isEnabled()) << "the TLS files wait for TLS";
    choose(child<QComboBox>(editor.get(), "cboTransport"), 2);
    ASSERT_TRUE(caFile->isEnabled());

    // OK without a CA file, then with a key that does not exist: each refused on this page.
    struct Refusal {
        std::function<void()> step;
        QString message;
    };
    const Refusal refusals[] = {
        {[] {}, "TLS needs a CA file to verify the server's certificate."},
        {[&] {
             dialogs.queueFileName(dir.filePath("pki/ca.pem"));
             click(editor.get(), "btnCaFile");
             dialogs.queueFileName(dir.filePath("pki/client.pem"));
             click(editor.get(), "btnCertFile");
             QTest::keyClicks(child<QLineEdit>(editor.get(), "edtKeyFile"), dir.filePath("pki/missing.key"));
         },
         "The file does not exist: " + dir.filePath("pki/missing.key")},
    };
    for (const Refusal &r : refusals) {
        pages->setCurrentIndex(0);
        r.step();
        click(editor.get(), "spbtnOK");
        EXPECT_NE(editor->result(), QDialog::Accepted);
        EXPECT_EQ(dialogs.lastMessageText(), r.message);
        EXPECT_EQ(pages->currentWidget()->objectName(), "TabSheetTransport");
    }
    EXPECT_EQ(caFile->text(), dir.filePath("pki/ca.pem"));
    EXPECT_TRUE(rows(transportRows, columns).isEmpty());

    ASSERT_TRUE(dir.writeFile("pki/missing.key", "key"));
    child<QCheckBox>(editor.get(), "chkMessageAuthenticatorFirst")->click();
    child<QCheckBox>(editor.get(), "chkRequireMessageAuthenticator")->click();
    click(editor.get(), "spbtnOK");
    ASSERT_EQ(editor->result(), QDialog::Accepted) << dialogs.messageTexts().join("; ").toStdString();
    const QString stored = "tls|" + dir.filePath("pki/ca.pem") + "|" + dir.filePath("pki/client.pem") + "|"
        + dir.filePath("pki/missing.key") + "|0|1";
    EXPECT_EQ(rows(transportRows, columns), QStringList{stored});

    // Shown again as stored; back to UDP with the default checks stores no row at all.
    auto reopened = openEditor("4711");
    EXPECT_EQ(child<QComboBox>(reopened.get(), "cboTransport")->currentText(), "TLS (RadSec)");
    EXPECT_EQ(child<QLineEdit>(reopened.get(), "edtKeyFile")->text(), dir.filePath("pki/missing.key"));
    EXPECT_FALSE(child<QCheckBox>(reopened.get(), "chkMessageAuthenticatorFirst")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(reopened.get(), "chkRequireMessageAuthenticator")->isChecked());
    choose(child<QComboBox>(reopened.get(), "cboTransport"), 0);
    child<QCheckBox>(reopened.get(), "chkMessageAuthenticatorFirst")->click();
    child<QCheckBox>(reopened.get(), "chkRequireMessageAuthenticator")->click();
    click(reopened.get(), "spbtnOK");
    ASSERT_EQ(reopened->result(), QDialog::Accepted) << dialogs.messageTexts().join("; ").toStdString();
    EXPECT_TRUE(rows(transportRows, columns).isEmpty());
}

// Changing only a transport setting is a change the close box asks about.
TEST_F(TaskEditor, TransportChangeCountsAsAnEdit)
{
    storeTask("77");
    auto editor = openEditor("77");
    child<QCheckBox>(editor.get(), "chkRequireMessageAuthenticator")->click();
    QTest::keyClick(editor.get(), Qt::Key_Escape); // unscripted: No
    EXPECT_EQ(dialogs.messageTexts(), QStringList({"Discard your changes?"}));
    EXPECT_TRUE(editor->isVisible());
}
