#include "scheduling/TfrmTaskSchedule.h"
#include "platform/Clock.h"
#include "platform/Language.h"
#include "platform/ScriptedDialogService.h"
#include "platform/SpinEdit.h"
#include "scheduling/ScheduleRuleInput.h"
#include "support/TempProgramDir.h"
#include "taskdef/TfrmTestSupport.h"
#include "taskstore/DateTimeText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTimeEdit>

#include <gtest/gtest.h>

using scheduling::ScheduleListRow;
using scheduling::ScheduleRuleInput;
using scheduling::TfrmTaskSchedule;
using taskstore::DateTimeText;

namespace {

const QTime kNine(9, 0, 0);

ScheduleRuleInput rule(int type, const QString &interval = "1")
{
    ScheduleRuleInput in;
    in.type = type;
    in.interval = interval;
    return in;
}

ScheduleRuleInput week(const char *mondayFirst, bool start = false)
{
    ScheduleRuleInput in = rule(3);
    for (int i = 0; i < 7; ++i)
        in.weekdays[size_t(i)] = mondayFirst[i] == '1';
    in.hasStartTime = start;
    return in;
}

ScheduleRuleInput withStart(ScheduleRuleInput in, QTime time = kNine)
{
    in.hasStartTime = true;
    in.startTime = time;
    return in;
}

TEST(ScheduleEditorText, DescriptionsByType)
{
    const QString t = DateTimeText::timeText(kNine);
    ScheduleRuleInput monthly = rule(4);
    monthly.monthDay = 15;
    ScheduleRuleInput once = rule(5);
    once.onceDate = QDate(2026, 3, 20);
    const QString d = DateTimeText::dateText(once.onceDate);
    const std::pair<ScheduleRuleInput, QString> cases[] = {
        {rule(0, "1"), "Run every minute"},
        {rule(0, " 30 "), "Run every 30 minute(s)"},
        {withStart(rule(0, "45")), "Run every 45 minute(s); Starting at " + t + "."},
        {rule(1, "1"), "Run every hour"},
        {rule(1, "2"), "Run every 2 hour(s)"},
        {rule(2, "1"), "Run every day"},
        {rule(2, "10"), "Run every 10 day(s)"},
        {week("1000010"), "Run on: Monday,    Saturday "},
        {week("1111111"), "Run on:Sunday,Monday,Tuesday,Wednesday,Thurday,Friday,Saturday "},
        {week("0000001"), "Run on:Sunday        "},
        {week("0010000", true), "Run on:   Wednesday     ; Starting at: " + t + "."},
        {monthly, "Run on 15 day of every month"},
        {withStart(monthly), "Run on 15 day of every month; starting at " + t},
        {once, "Run on " + d},
        {withStart(once), "Run on " + d + " " + t},
    };
    for (const auto &[in, expected] : cases)
        EXPECT_EQ(in.describe(), expected);
}

TEST(ScheduleEditorText, ChecksByType)
{
    const QDateTime now(QDate(2026, 3, 10), QTime(12, 0, 0));
    ScheduleRuleInput yesterday = rule(5);
    yesterday.onceDate = now.date().addDays(-1);
    ScheduleRuleInput today = rule(5);
    today.onceDate = now.date();
    ScheduleRuleInput monthly = rule(4);
    const std::pair<ScheduleRuleInput, QString> cases[] = {
        {rule(0, " "), "Minutes is empty!"},
        {rule(1, ""), "Hours is empty!"},
        {rule(2, ""), "Days is empty!"},
        {rule(0, "5"), ""},
        {week("0000000"), "None selected day!"},
        {week("0000001"), ""},
        {monthly, ""},
        {yesterday, "The run date is earlier than current date!"},
        {today, ""},
        {withStart(today, QTime(11, 59, 59)), "The run date is earlier current date!"},
        {withStart(today, QTime(12, 0, 0)), "The run date is earlier current date!"},
        {withStart(today, QTime(12, 0, 1)), ""},
    };
    for (const auto &[in, expected] : cases)
        EXPECT_EQ(in.check(now), expected) << in.describe().toStdString();
}

class ScheduleEditor : public ::testing::Test {
protected:
    testsupport::TempProgramDir dir;
    platform::ScriptedDialogService dialogs;
    const QDateTime now{QDate(2026, 3, 10), QTime(12, 0, 0)};

    void SetUp() override { platform::Clock::setNow(now); }
    void TearDown() override { platform::Clock::setNow(QDateTime()); }

    template <typename T>
    static T *child(QWidget *window, const char *name)
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static void choose(QComboBox *combo, int index)
    {
        while (combo->currentIndex() < index)
            QTest::keyClick(combo, Qt::Key_Down);
        while (combo->currentIndex() > index)
            QTest::keyClick(combo, Qt::Key_Up);
    }

    static QString display(QWidget *editor) { return child<QLabel>(editor, "lblDisplay")->text(); }
};

TEST_F(ScheduleEditor, InputsPagesAndDescriptionMoveTogether)
{
    TfrmTaskSchedule editor;
    editor.show();
    EXPECT_EQ(editor.windowTitle(), "Task Scheduler");
    EXPECT_EQ(display(&editor), "Run every 30 minute(s).");
    EXPECT_EQ(child<QDateEdit>(&editor, "DateTimePickerOnce")->date(), now.date().addDays(30));
    auto *time = child<QTimeEdit>(&editor, "DateTimePicker");
    EXPECT_EQ(time->time(), kNine);
    EXPECT_FALSE(time->isEnabled());

    auto *minutes = child<platform::SpinEdit>(&editor, "edtMinute");
    minutes->editor()->selectAll();
    QTest::keyClicks(minutes->editor(), "1\b0x5");
    EXPECT_EQ(minutes->editor()->text(), "15");
    EXPECT_EQ(display(&editor), "Run every 15 minute(s)");

    child<QCheckBox>(&editor, "chkStartTime")->click();
    EXPECT_TRUE(time->isEnabled());
    EXPECT_EQ(display(&editor), "Run every 15 minute(s); Starting at " + DateTimeText::timeText(kNine) + ".");

    auto *type = child<QComboBox>(&editor, "cboSchType");
    auto *pages = child<QStackedWidget>(&editor, "PageControl");
    choose(type, 4);
    EXPECT_EQ(pages->currentWidget()->objectName(), "TabShtMonth");
    choose(child<QComboBox>(&editor, "cboMonth"), 6);
    EXPECT_TRUE(display(&editor).startsWith("Run on 7 day of every month; starting at "));
    choose(type, 5);
    EXPECT_EQ(pages->currentWidget()->objectName(), "TabShtOnce");
}

TEST_F(ScheduleEditor, OkRefusesBadRulesAndHandsBackTheRow)
{
    TfrmTaskSchedule editor;
    editor.show();
    QSignalSpy accepted(&editor, &TfrmTaskSchedule::ruleAccepted);
    auto *type = child<QComboBox>(&editor, "cboSchType");

    choose(type, 3);
    for (int day = 1; day <= 7; ++day)
        child<QCheckBox>(&editor, QStringLiteral("chkWeek%1").arg(day).toLatin1().constData())->click();
    QTest::mouseClick(child<QPushButton>(&editor, "spbtnOK"), Qt::LeftButton);
    EXPECT_EQ(dialogs.lastMessageText(), "None selected day!");
    EXPECT_TRUE(editor.isVisible());

    choose(type, 5);
    child<QDateEdit>(&editor, "DateTimePickerOnce")->setDate(now.date());
    child<QCheckBox>(&editor, "chkStartTime")->click(); // 9:00 today has passed
    QTest::mouseClick(child<QPushButton>(&editor, "spbtnOK"), Qt::LeftButton);
    EXPECT_EQ(dialogs.lastMessageText(), "The run date is earlier current date!");
    EXPECT_EQ(accepted.size(), 0);

    child<QTimeEdit>(&editor, "DateTimePicker")->setTime(QTime(18, 30, 0));
    QTest::mouseClick(child<QPushButton>(&editor, "spbtnOK"), Qt::LeftButton);
    ASSERT_EQ(accepted.size(), 1);
    EXPECT_FALSE(editor.isVisible());
    const ScheduleListRow row = editor.acceptedRow();
    const QString t = DateTimeText::timeText(QTime(18, 30, 0));
    EXPECT_EQ(row.display, "Run on " + DateTimeText::dateText(now.date()) + " " + t);
    EXPECT_EQ(row.type, 5);
    EXPECT_EQ(row.value, DateTimeText::dateText(now.date()));
    EXPECT_EQ(row.startTime, t);
    EXPECT_EQ(row.id, "-1");
}

TEST_F(ScheduleEditor, EmptiedIntervalStaysEmptyWhenLeftAndIsRefused)
{
    TfrmTaskSchedule editor;
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    auto *type = child<QComboBox>(&editor, "cboSchType");
    auto *ok = child<QPushButton>(&editor, "spbtnOK");
    struct Case {
        int type;
        const char *field;
        const char *message;
    };
    const Case cases[] = {
        {0, "edtMinute", "Minutes is empty!"}, {1, "edtHour", "Hours is empty!"}, {2, "edtDay", "Days is empty!"}};
    for (const Case &c : cases) {
        choose(type, c.type);
        auto *field = child<platform::SpinEdit>(&editor, c.field);
        field->setFocus();
        field->editor()->selectAll();
        QTest::keyClick(field->editor(), Qt::Key_Delete);
        ok->setFocus(Qt::TabFocusReason);
        ASSERT_FALSE(field->hasFocus()) << c.field;
        EXPECT_EQ(field->editor()->text(), "") << c.field;
        dialogs.clear();
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_EQ(dialogs.lastMessageText(), c.message);
        EXPECT_TRUE(editor.isVisible());
    }
}

TEST_F(ScheduleEditor, ModifyModeFillsTheInputsFromTheRow)
{
    const QString t = DateTimeText::timeText(QTime(7, 15, 0));
    TfrmTaskSchedule editor;
    editor.setRule({"Run on: ...", 3, "1000010", t, "12"});
    editor.show();
    EXPECT_TRUE(editor.isModifyMode());
    EXPECT_EQ(child<QComboBox>(&editor, "cboSchType")->currentIndex(), 3);
    EXPECT_EQ(editor.input().withweek(), "1000010");
    EXPECT_TRUE(child<QCheckBox>(&editor, "chkStartTime")->isChecked());
    EXPECT_EQ(child<QTimeEdit>(&editor, "DateTimePicker")->time(), QTime(7, 15, 0));
    EXPECT_EQ(display(&editor), "Run on: Monday,    Saturday ; Starting at: " + t + ".");

    TfrmTaskSchedule stored; // a stored once-rule carries a date-time text
    stored.setRule({"", 5, DateTimeText::dateTimeText(QDateTime(QDate(2026, 4, 1), QTime(8, 0, 0))), "0", "3"});
    EXPECT_EQ(child<QDateEdit>(&stored, "DateTimePickerOnce")->date(), QDate(2026, 4, 1));
    EXPECT_FALSE(child<QCheckBox>(&stored, "chkStartTime")->isChecked());

    TfrmTaskSchedule hours;
    hours.setRule({"", 1, "6", "0", "4"});
    EXPECT_EQ(child<platform::SpinEdit>(&hours, "edtHour")->value(), 6);
    EXPECT_EQ(display(&hours), "Run every 6 hour(s)");
}

TEST_F(ScheduleEditor, LanguageRefillsTheTypeBoxKeepingTheChoice)
{
    ASSERT_TRUE(dir.writeFile("Language/Test.ini",
                              "[frmSch]\nTitle=Zeitplan\ncboSchType.item5=Monatlich\n"
                              "chkWeek5.Caption=Freitag\nlblEvery.Caption=Alle\n"));
    ASSERT_TRUE(platform::Language::setCurrentName("Test"));
    TfrmTaskSchedule editor;
    editor.setRule({"", 4, "9", "0", "5"});
    editor.show();
    EXPECT_EQ(editor.windowTitle(), "Zeitplan");
    auto *type = child<QComboBox>(&editor, "cboSchType");
    EXPECT_EQ(type->currentIndex(), 4);
    EXPECT_EQ(type->currentText(), "Monatlich");
    EXPECT_EQ(type->itemText(0), "Every Minute(s)");
    EXPECT_EQ(child<QCheckBox>(&editor, "chkWeek5")->text(), "Freitag");
    EXPECT_EQ(child<QCheckBox>(&editor, "chkWeek6")->text(), "Saturday");
    EXPECT_EQ(child<QLabel>(&editor, "lblEveryDay")->text(), "Alle");
    EXPECT_EQ(display(&editor), "Run on 9 day of every month");
}

TEST_F(ScheduleEditor, ClosingAfterAChangeAsksFirst)
{
    {
        // Opened for a row and not changed: Esc closes at once.
        TfrmTaskSchedule editor;
        editor.setRule({"", 4, "9", "0", "5"});
        editor.show();
        QTest::keyClick(&editor, Qt::Key_Escape);
        EXPECT_FALSE(editor.isVisible());
        EXPECT_TRUE(dialogs.messages().isEmpty());
    }
    TfrmTaskSchedule editor;
    editor.show();
    choose(child<QComboBox>(&editor, "cboSchType"), 3);
    child<QCheckBox>(&editor, "chkWeek2")->click();
    QTest::keyClick(&editor, Qt::Key_Escape); // unscripted: No
    EXPECT_TRUE(editor.isVisible());
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.lastMessageText(), "Discard your changes?");
    EXPECT_EQ(dialogs.messages().first().buttons, platform::MessageButtons::YesNo);
    // Put back as it was: nothing to lose.
    child<QCheckBox>(&editor, "chkWeek2")->click();
    choose(child<QComboBox>(&editor, "cboSchType"), 0);
    QTest::mouseClick(child<QPushButton>(&editor, "spbtnCancel"), Qt::LeftButton);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(dialogs.messages().size(), 1);

    editor.show();
    child<QCheckBox>(&editor, "chkStartTime")->click();
    dialogs.queueAnswer(platform::Answer::Yes);
    QTest::mouseClick(child<QPushButton>(&editor, "spbtnCancel"), Qt::LeftButton);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(editor.result(), QDialog::Rejected);
    EXPECT_EQ(dialogs.messages().size(), 2);
}

TEST_F(ScheduleEditor, OpensShowingEveryControlInBothLanguages)
{
    for (const char *language : {"English", "简体中文"}) {
        ASSERT_TRUE(platform::Language::setCurrentName(QString::fromUtf8(language)));
        TfrmTaskSchedule editor;
        editor.show();
        for (int type = 0; type < 6; ++type) {
            choose(child<QComboBox>(&editor, "cboSchType"), type);
            formtest::expectNothingCut(&editor, language);
        }
    }
}

} // namespace
