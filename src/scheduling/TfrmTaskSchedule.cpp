#include "scheduling/TfrmTaskSchedule.h"

#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/DiscardQuestion.h"
#include "platform/Language.h"
#include "platform/NamedControl.h"
#include "platform/SpinEdit.h"
#include "platform/TypingFilter.h"
#include "scheduling/ScheduleTexts.h"
#include "taskstore/DateTimeText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

using platform::named;
using platform::namedLabel;
using platform::SpinEdit;
using platform::TypingFilter;
using taskstore::DateTimeText;

namespace scheduling {

namespace {
const platform::TextEntry kTexts[] = {
    {"frmSch", "Title", "Task Scheduler"},
    {"frmSch", "lblSchType.Caption", "Scheduler Type:"},
    {"frmSch", "chkStartTime.Caption", "Start Time"},
    {"frmSch", "lblEvery.Caption", "Every", "lblEvery"},
    {"frmSch", "lblEvery.Caption", "Every", "lblEveryHour"},
    {"frmSch", "lblEvery.Caption", "Every", "lblEveryDay"},
    {"frmSch", "lblMin.Caption", "minutes"},
    {"frmSch", "lblHour.Caption", "hour(s)"},
    {"frmSch", "lblDay.Caption", "day(s)"},
    {"frmSch", "lblWeek.Caption", "Every week:"},
    {"frmSch", "chkWeek1.Caption", "Monday"},
    {"frmSch", "chkWeek2.Caption", "Tuesday"},
    {"frmSch", "chkWeek3.Caption", "Wednesday"},
    {"frmSch", "chkWeek4.Caption", "Thursday"},
    {"frmSch", "chkWeek5.Caption", "Friday"},
    {"frmSch", "chkWeek6.Caption", "Saturday"},
    {"frmSch", "chkWeek7.Caption", "Sunday"},
    {"frmSch", "lblMonth.Caption", "Every"},
    {"frmSch", "lblDate.Caption", "day of the months"},
    {"frmSch", "lblOnce.Caption", "Run on"},
    {"Dialog_Common", "btnOK.Caption", "OK", "spbtnOK"},
    {"Dialog_Common", "btnCancel.Caption", "Cancel", "spbtnCancel"},
};
const char *const kTypeItems[] = {"Every Minute(s)", "Every Hour(s)", "Every Day(s)",
                                  "Within Week",     "Within Month",  "Once"};

// One page of an "Every N unit" rule.
QWidget *intervalPage(const char *page, const char *every, SpinEdit *field, const char *unitName, const char *unit)
{
    auto *w = named(new QWidget, page);
    auto *row = new QHBoxLayout(w);
    row->addWidget(namedLabel(every, "Every"));
    row->addWidget(field);
    row->addWidget(namedLabel(unitName, unit));
    row->addStretch();
    return w;
}
} // namespace

TfrmTaskSchedule::TfrmTaskSchedule(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTaskSchedule"));
    setWindowTitle(QStringLiteral("Schedule"));
    buildControls();
    refresh();
    // The design-time description, until an input changes.
    m_display->setText(scheduleText("Input.Initial", "Run every 30 minute(s)."));
}

void TfrmTaskSchedule::buildControls()
{
    m_display = named(new QLabel, "lblDisplay");
    m_display->setAutoFillBackground(true);
    m_display->setStyleSheet(
        QStringLiteral("QLabel { background: #202040; color: white; font-weight: bold; padding: 6px; }"));
    // Wide enough for the longest description, every weekday with a start time, so that
    // choosing a rule never cuts it.
    ScheduleRuleInput longest;
    longest.type = 3;
    longest.hasStartTime = true;
    longest.startTime = QTime(23, 59, 59);
    QFont bold = m_display->font();
    bold.setBold(true);
    m_display->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(longest.describe()) + 24);

    m_type = named(new QComboBox, "cboSchType");
    for (const char *item : kTypeItems)
        m_type->addItem(QString::fromLatin1(item));

    m_minute = named(new SpinEdit(1, 32767, 30), "edtMinute");
    m_hour = named(new SpinEdit(1, 32767, 1), "edtHour");
    m_day = named(new SpinEdit(1, 32767, 1), "edtDay");

    m_pages = named(new QStackedWidget, "PageControl");
    m_pages->addWidget(intervalPage("TabShtMinute", "lblEvery", m_minute, "lblMin", "minutes"));
    m_pages->addWidget(intervalPage("TabShtHour", "lblEveryHour", m_hour, "lblHour", "hour(s)"));
    m_pages->addWidget(intervalPage("TabShtDay", "lblEveryDay", m_day, "lblDay", "day(s)"));

    auto *week = named(new QWidget, "TabShtWeek");
    auto *weekGrid = new QGridLayout(week);
    weekGrid->addWidget(namedLabel("lblWeek", "Every week:"), 0, 0, 1, 4);
    const char *const dayNames[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
    for (int i = 0; i < 7; ++i) {
        m_week[i] = new QCheckBox(QString::fromLatin1(dayNames[i]));
        m_week[i]->setObjectName(QStringLiteral("chkWeek%1").arg(i + 1));
        m_week[i]->setChecked(true);
        weekGrid->addWidget(m_week[i], 1 + i / 4, i % 4);
    }
    m_pages->addWidget(week);

    auto *month = named(new QWidget, "TabShtMonth");
    auto *monthRow = new QHBoxLayout(month);
    m_month = named(new QComboBox, "cboMonth");
    for (int day = 1; day <= 28; ++day)
        m_month->addItem(QString::number(day));
    monthRow->addWidget(namedLabel("lblMonth", "Every"));
    monthRow->addWidget(m_month);
    monthRow->addWidget(namedLabel("lblDate", "day of the months"));
    monthRow->addStretch();
    m_pages->addWidget(month);

    auto *once = named(new QWidget, "TabShtOnce");
    auto *onceRow = new QHBoxLayout(once);
    m_once = named(new QDateEdit(platform::Clock::now().date().addDays(30)), "DateTimePickerOnce");
    m_once->setCalendarPopup(true);
    // A language may show the date in figures; the stored text keeps its own form.
    const QString onceFormat = scheduleText("DateTimePickerOnce.Format", "");
    m_once->setDisplayFormat(onceFormat.isEmpty() ? DateTimeText::dateFormat() : onceFormat);
    onceRow->addWidget(namedLabel("lblOnce", "Run on"));
    onceRow->addWidget(m_once);
    onceRow->addStretch();
    m_pages->addWidget(once);

    m_hasStart = named(new QCheckBox(QStringLiteral("Start Time")), "chkStartTime");
    m_start = named(new QTimeEdit(QTime(9, 0, 0)), "DateTimePicker");
    m_start->setDisplayFormat(QStringLiteral("H:mm:ss"));
    m_start->setEnabled(false);

    m_ok = named(new QPushButton(QStringLiteral("&OK")), "spbtnOK");
    m_cancel = named(new QPushButton(QStringLiteral("&Cancel")), "spbtnCancel");
    m_ok->setDefault(true);

    auto *typeRow = new QHBoxLayout;
    typeRow->addWidget(namedLabel("lblSchType", "Scheduler Type:"));
    typeRow->addWidget(m_type, 1);
    auto *startRow = new QHBoxLayout;
    startRow->addWidget(m_hasStart);
    startRow->addWidget(m_start);
    startRow->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_display);
    layout->addLayout(typeRow);
    layout->addWidget(m_pages);
    layout->addLayout(startRow);
    layout->addLayout(buttons);

    for (SpinEdit *field : {m_minute, m_hour, m_day}) {
        TypingFilter::install(field, TypingFilter::nonZeroDigits());
        connect(field, &QSpinBox::textChanged, this, &TfrmTaskSchedule::refresh);
    }
    connect(m_type, &QComboBox::currentIndexChanged, this, &TfrmTaskSchedule::refresh);
    for (QCheckBox *day : m_week)
        connect(day, &QCheckBox::toggled, this, &TfrmTaskSchedule::refresh);
    connect(m_month, &QComboBox::currentIndexChanged, this, &TfrmTaskSchedule::refresh);
    connect(m_once, &QDateEdit::dateChanged, this, &TfrmTaskSchedule::refresh);
    connect(m_hasStart, &QCheckBox::toggled, this, &TfrmTaskSchedule::refresh);
    connect(m_start, &QTimeEdit::timeChanged, this, &TfrmTaskSchedule::refresh);
    connect(m_ok, &QPushButton::clicked, this, &TfrmTaskSchedule::spbtnOKClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

SpinEdit *TfrmTaskSchedule::intervalField(int type) const
{
    switch (type) {
    case 0: return m_minute;
    case 1: return m_hour;
    case 2: return m_day;
    default: return nullptr;
    }
}

ScheduleRuleInput TfrmTaskSchedule::input() const
{
    ScheduleRuleInput in;
    in.type = std::max(0, m_type->currentIndex());
    if (SpinEdit *field = intervalField(in.type))
        in.interval = field->typedText();
    for (int i = 0; i < 7; ++i)
        in.weekdays[size_t(i)] = m_week[i]->isChecked();
    in.monthDay = m_month->currentIndex() + 1;
    in.onceDate = m_once->date();
    in.hasStartTime = m_hasStart->isChecked();
    in.startTime = m_start->time();
    return in;
}

void TfrmTaskSchedule::refresh()
{
    m_pages->setCurrentIndex(std::max(0, m_type->currentIndex()));
    m_start->setEnabled(m_hasStart->isChecked());
    m_display->setText(input().describe());
}

void TfrmTaskSchedule::setRule(const ScheduleListRow &row)
{
    m_modify = true;
    m_type->setCurrentIndex(std::clamp(row.type, 0, 5));
    if (SpinEdit *field = intervalField(row.type))
        field->setValue(row.value.trimmed().toInt());
    if (row.type == 3)
        for (int i = 0; i < 7; ++i)
            if (row.value.mid(i, 1) != QLatin1String("1"))
                m_week[i]->setChecked(false);
    if (row.type == 4) {
        const int index = m_month->findText(row.value.trimmed());
        if (index >= 0)
            m_month->setCurrentIndex(index);
    }
    if (row.type == 5) {
        // A stored once-rule carries a date-time text, a new one a date text.
        QDate date = DateTimeText::parseDate(row.value.trimmed());
        if (!date.isValid())
            date = DateTimeText::parseDateTime(row.value.trimmed()).date();
        if (date.isValid())
            m_once->setDate(date);
    }
    if (row.startTime.trimmed() != QLatin1String("0")) {
        m_hasStart->setChecked(true);
        const QTime time = DateTimeText::parseTime(row.startTime.trimmed());
        if (time.isValid())
            m_start->setTime(time);
    }
    refresh();
}

void TfrmTaskSchedule::showEvent(QShowEvent *event)
{
    applyLanguage();
    if (!m_shown) {
        m_shown = true;
        m_shownState = editState();
    }
    QDialog::showEvent(event);
}

QStringList TfrmTaskSchedule::editState() const
{
    const ScheduleRuleInput in = input();
    QStringList state{QString::number(in.type),
                      m_minute->typedText(),
                      m_hour->typedText(),
                      m_day->typedText(),
                      in.withweek(),
                      QString::number(in.monthDay),
                      in.onceDate.toString(Qt::ISODate),
                      QString::number(in.hasStartTime),
                      in.startTime.toString(Qt::ISODate)};
    return state;
}

void TfrmTaskSchedule::reject()
{
    if (m_shown && editState() != m_shownState && !platform::confirmDiscard())
        return;
    QDialog::reject();
}

void TfrmTaskSchedule::applyLanguage()
{
    const platform::LanguageFile file = platform::Language::currentFile();
    platform::Language::apply(this, kTexts, file);
    // The type box is refilled from the language, keeping its choice.
    const int selected = m_type->currentIndex();
    const QSignalBlocker block(m_type);
    m_type->clear();
    for (int i = 0; i < 6; ++i)
        m_type->addItem(file.text(QStringLiteral("frmSch"), QStringLiteral("cboSchType.item%1").arg(i + 1),
                                  QString::fromLatin1(kTypeItems[i])));
    m_type->setCurrentIndex(selected);
}

void TfrmTaskSchedule::spbtnOKClick()
{
    const ScheduleRuleInput in = input();
    const QString refusal = in.check(platform::Clock::now());
    if (!refusal.isEmpty()) {
        platform::DialogService::instance().inform(refusal);
        return;
    }
    m_row = in.toRow(m_display->text());
    Q_EMIT ruleAccepted(m_row);
    accept();
}

} // namespace scheduling
