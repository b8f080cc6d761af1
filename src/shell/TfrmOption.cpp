#include "shell/TfrmOption.h"

#include "execution/LogColors.h"
#include "platform/DialogService.h"
#include "platform/Language.h"
#include "platform/SettingsKey.h"
#include "shell/OptionValues.h"
#include "shell/ShellTexts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace shell {

namespace {
struct ColourRow {
    const char *caption;
    const char *name;
};
constexpr ColourRow kColourRows[] = {
    {"Summary:", "Summary"}, {"Info:", "Info"}, {"Warning:", "Warning"}, {"Error:", "Error"}};
constexpr const char *kPriorities[] = {"Idle", "Lowest", "Lower", "Normal", "Higher", "Highest", "Real Time"};

QCheckBox *checkBox(QWidget *parent, const char *name, const char *caption)
{
    auto *box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QLabel *label(QWidget *parent, const char *name, const char *caption)
{
    auto *result = new QLabel(QString::fromUtf8(caption), parent);
    result->setObjectName(QLatin1String(name));
    return result;
}

// A radio group: a titled box of radio buttons, one checked at a time.
QButtonGroup *radioGroup(QGroupBox *box, int count)
{
    auto *group = new QButtonGroup(box);
    auto *layout = new QVBoxLayout(box);
    for (int i = 0; i < count; ++i) {
        auto *radio = new QRadioButton(box);
        radio->setObjectName(box->objectName() + QLatin1String("Item") + QString::number(i + 1));
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    return group;
}
} // namespace

TfrmOption::TfrmOption(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(QStringLiteral("Options"));
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    // Without scroll buttons the tab bar asks for the width of every tab, in any language.
    m_pages->setUsesScrollButtons(false);
    m_pages->setElideMode(Qt::ElideNone);
    m_pages->addTab(makeStartupPage(), QStringLiteral("Startup and Shutdown"));
    m_pages->addTab(makeLogPage(), QStringLiteral("Log"));
    m_pages->addTab(makePriorityPage(), QStringLiteral("Thread Priority"));

    m_default = checkBox(this, "chkDefault", "Default");
    connect(m_default, &QCheckBox::toggled, this, &TfrmOption::chkDefaultClick);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtnOK"));
    ok->setDefault(true);
    ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    connect(ok, &QPushButton::clicked, this, &TfrmOption::BitBtnOKClick);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("BitBtnCancel"));
    cancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_default);
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget *TfrmOption::makeStartupPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto *startup = new QGroupBox(QStringLiteral("Startup"), page);
    startup->setObjectName(QStringLiteral("GroupBoxStartup"));
    auto *startupLayout = new QVBoxLayout(startup);
    m_minimized = checkBox(startup, "chkMin", "Minimized");
    m_hideTray = checkBox(startup, "chkHide", "Hide icon from system tray");
    m_splash = checkBox(startup, "chkDisplaySplash", "Display splash screen");
    for (QCheckBox *box : {m_minimized, m_hideTray, m_splash})
        startupLayout->addWidget(box);

    auto *shutdown = new QGroupBox(QStringLiteral("Shutdown"), page);
    shutdown->setObjectName(QStringLiteral("RadioGroupClose"));
    m_close = radioGroup(shutdown, 3);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(startup);
    layout->addWidget(shutdown);
    layout->addStretch();
    return page;
}

QWidget *TfrmOption::makeLogPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    m_logFileName = new QLineEdit(page);
    m_logFileName->setObjectName(QStringLiteral("edtLogFileName"));
    m_logSize = new QSpinBox(page);
    m_logSize->setObjectName(QStringLiteral("CSpinEdtLogSize"));
    m_logSize->setRange(0, 2147483647);
    auto *size = new QHBoxLayout;
    size->addWidget(m_logSize, 1);
    size->addWidget(label(page, "lblKB", "KB ."));
    auto *form = new QFormLayout;
    form->addRow(label(page, "lblLogFileName", "Log file name:"), m_logFileName);
    form->addRow(label(page, "lblMaxSize", "Maximum log file size:"), size);

    auto *colours = new QGroupBox(QStringLiteral("Log Color Setting"), page);
    colours->setObjectName(QStringLiteral("GroupBoxColor"));
    auto *grid = new QGridLayout(colours);
    for (int row = 0; row < 4; ++row) {
        const QString name = QString::fromLatin1(kColourRows[row].name);
        auto *caption = new QLabel(QString::fromLatin1(kColourRows[row].caption), colours);
        caption->setObjectName(QLatin1String("lbl") + name + QLatin1String("Clr"));
        grid->addWidget(caption, row, 0);
        auto *swatch = new QLabel(colours);
        swatch->setObjectName(QLatin1String("shp") + name + QLatin1String("Clr"));
        swatch->setFixedSize(60, 18);
        swatch->setFrameShape(QFrame::Box);
        swatch->setAutoFillBackground(true);
        m_swatches.at(size_t(row)) = swatch;
        grid->addWidget(swatch, row, 1);
        auto *choose = new QPushButton(QStringLiteral("..."), colours);
        choose->setObjectName(QLatin1String("btn") + name + QLatin1String("Clr"));
        choose->setFixedWidth(32);
        connect(choose, &QPushButton::clicked, this, [this, row] { chooseColour(row); });
        grid->addWidget(choose, row, 2);
    }
    grid->setColumnStretch(3, 1);

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(colours);
    layout->addWidget(label(page, "lblDescription", ""));
    layout->addStretch();
    return page;
}

QWidget *TfrmOption::makePriorityPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet4"));
    auto *box = new QGroupBox(QStringLiteral("Synchronize Thread Priority"), page);
    box->setObjectName(QStringLiteral("RadioGroupPRI"));
    m_priority = radioGroup(box, 7);
    for (int i = 0; i < 7; ++i)
        m_priority->button(i)->setText(QString::fromLatin1(kPriorities[i]));
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(box);
    layout->addStretch();
    return page;
}

void TfrmOption::showEvent(QShowEvent *event)
{
    applyLanguage();
    putValues(optionDialogStartValues());
    QDialog::showEvent(event);
}

void TfrmOption::applyLanguage()
{
    const platform::LanguageFile file = platform::Language::currentFile();
    platform::Language::apply(this, texts::optionDialog(), file);
    // The close choices are refilled in order and the first is chosen; the stored setting
    // is put in afterwards.
    int index = 0;
    for (const platform::TextEntry &entry : texts::closeChoices()) {
        m_close->button(index++)->setText(file.text(QString::fromUtf8(entry.section), QString::fromUtf8(entry.key),
                                                    QString::fromUtf8(entry.builtIn)));
    }
    m_close->button(0)->setChecked(true);
}

void TfrmOption::putValues(const execution::Settings &values)
{
    m_minimized->setChecked(values.Minimized);
    m_hideTray->setChecked(values.HideTray);
    m_splash->setChecked(values.DisplaySplash);
    if (QAbstractButton *item = m_close->button(values.WhenClose < 0 || values.WhenClose > 2 ? 2 : values.WhenClose))
        item->setChecked(true);
    m_logFileName->setText(values.LogFileName);
    m_logSize->setValue(values.MaxLogFileSize);
    setSwatch(0, values.SummaryClr);
    setSwatch(1, values.InfoClr);
    setSwatch(2, values.WarningClr);
    setSwatch(3, values.ErrorClr);
    m_priority->button(values.ThrdPRI < 0 || values.ThrdPRI > 6 ? 6 : values.ThrdPRI)->setChecked(true);
}

void TfrmOption::setSwatch(int row, quint32 colour)
{
    m_colours.at(size_t(row)) = colour;
    QLabel *swatch = m_swatches.at(size_t(row));
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, execution::LogColors::toColor(colour));
    swatch->setPalette(palette);
}

void TfrmOption::chooseColour(int row)
{
    const std::optional<QColor> chosen =
        platform::DialogService::instance().chooseColor(execution::LogColors::toColor(m_colours.at(size_t(row))));
    if (chosen)
        setSwatch(row, execution::LogColors::fromColor(*chosen));
}

void TfrmOption::chkDefaultClick(bool ticked)
{
    if (ticked)
        putValues(defaultBoxValues());
}

execution::Settings TfrmOption::controlValues() const
{
    execution::Settings values;
    values.Minimized = m_minimized->isChecked();
    values.HideTray = m_hideTray->isChecked();
    values.DisplaySplash = m_splash->isChecked();
    values.WhenClose = qMax(0, m_close->checkedId());
    values.LogFileName = m_logFileName->text().trimmed();
    values.MaxLogFileSize = m_logSize->value();
    values.SummaryClr = m_colours[0];
    values.InfoClr = m_colours[1];
    values.WarningClr = m_colours[2];
    values.ErrorClr = m_colours[3];
    values.ThrdPRI = qMax(0, m_priority->checkedId());
    return values;
}

void TfrmOption::BitBtnOKClick()
{
    platform::DialogService &dialogs = platform::DialogService::instance();
    if (m_logFileName->text().isEmpty()) {
        dialogs.inform(platform::Language::text("frmOption", "LogFileNameEmpty", "Log file name is empty!"));
        m_pages->setCurrentIndex(1);
        return;
    }
    if (!controlValues().write()) {
        // Nothing was written; the user may try again or cancel.
        dialogs.showError(
            platform::Language::text("frmOption", "SettingsNotSaved", "The settings could not be saved to \"%1\".")
                .arg(platform::SettingsKey::filePathOf(execution::Settings::keyName())));
        return;
    }
    accept();
}

} // namespace shell
