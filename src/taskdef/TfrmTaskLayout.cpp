// The task editor's controls, their names, layout and localised texts.
#include "taskdef/TfrmTask.h"

#include "platform/Language.h"
#include "platform/NamedControl.h"
#include "platform/SpinEdit.h"
#include "platform/TypingFilter.h"
#include "taskdef/EapSettingsPanel.h"
#include "taskdef/ExpectationPage.h"
#include "taskdef/FormTexts.h"
#include "taskdef/TransportPage.h"
#include "taskdef/TypedListText.h"
#include "taskstore/AuthMode.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <limits>

using platform::named;
using platform::namedLabel;
using platform::SpinEdit;
using platform::TypingFilter;

namespace taskdef {

namespace {
const platform::TextEntry kTexts[] = {
    {"frmTask", "frmTask.Caption", "The Sync Task Properties "},
    {"frmTask", "lblTaskID.Caption", "Task ID:"},
    {"frmTask", "TabSheetSetting.Caption", "Setting"},
    {"frmTask", "lblGeneral.Caption", "General"},
    {"frmTask", "lblIP.Caption", "Server IP:"},
    {"frmTask", "lblSecretKey.Caption", "Secret Key:"},
    {"frmTask", "lblPort.Caption", "Port:"},
    {"frmTask", "lblReqType.Caption", "Request Type:"},
    {"frmTask", "lblCode.Caption", "Code:"},
    {"frmTask", "lblMode.Caption", "Mode"},
    {"frmTask", "lblOption.Caption", "Additional Options"},
    {"frmTask", "lblStartID.Caption", "RadReqStartId:"},
    {"frmTask", "lblTimeout.Caption", "Reply Timeout [sec.]:"},
    {"frmTask", "lblRetry.Caption", "Retry Times:"},
    {"frmTask", "lblRepeat.Caption", "Repeat Times:"},
    {"frmTask", "lblParallel.Caption", "NumReqsInPar:"},
    {"frmTask", "lblPer.Caption", "NumReqsPerSec:"},
    {"frmTask", "TabSheetPackage.Caption", "Additional Packages"},
    {"frmTask", "lblPackage.Caption", "Packages"},
    {"frmTask", "TabSheetSchedule.Caption", "Schedule"},
    {"frmTask", "TabSheetExpectation.Caption", "Expectations"},
    {"frmTask", "RadioBtnManually.Caption", "Run Manually"},
    {"frmTask", "RadiobtnSchedule.Caption", "&Auto run using internal Schedule"},
    {"frmTask", "spbtnSchAdd.Caption", "&Add..."},
    {"frmTask", "spbtnShcModify.Caption", "&Modify...", "spbtnSchModify"},
    {"frmTask", "spbtnSchDel.Caption", "&Delete"},
    {"Button_Common", "spbtnAdd.Caption", "&Add"},
    {"Button_Common", "spbtnModify.Caption", "&Modify"},
    {"Button_Common", "spbtnRemove.Caption", "&Remove"},
    {"Button_Common", "spbtnClear.Caption", "&Clear"},
    {"Button_Common", "spbtnDelete.Caption", "&Delete"},
    {"Button_Common", "btnImport.Caption", "&Import"},
    {"Button_Common", "btnExport.Caption", "&Export"},
    {"Dialog_Common", "btnOK.Caption", "OK", "spbtnOK"},
    {"Dialog_Common", "btnCancel.Caption", "Cancel", "spbtnCancel"},
};
const HeadingEntry kHeadings[] = {
    {"frmTask", "lvwAttr.Column1.Caption", "Attribute", "lvwAttr", 0},
    {"frmTask", "lvwAttr.Column2.Caption", "Value", "lvwAttr", 1},
};

QPushButton *button(const char *name, const char *text)
{
    auto *b = named(new QPushButton(QString::fromLatin1(text)), name);
    b->setAutoDefault(false); // Enter in a field must not save the task
    return b;
}

QTreeWidget *list(const char *name, const QStringList &headings)
{
    auto *l = named(new QTreeWidget, name);
    l->setColumnCount(int(headings.size()));
    l->setHeaderLabels(headings);
    l->setRootIsDecorated(false);
    return l;
}
} // namespace

void TfrmTask::buildControls()
{
    setObjectName(QStringLiteral("frmTask"));
    setWindowTitle(QStringLiteral("Task Properties"));

    m_taskName = named(new QLineEdit, "edtTaskName"); // named by startNew or loadTask
    m_taskName->setMaxLength(100);
    m_taskId = named(new QLineEdit, "edtTaskID");
    m_taskId->setReadOnly(true);
    m_groupId = namedLabel("lblTaskGroupID", "");
    m_groupId->setVisible(false);

    m_pages = named(new QTabWidget, "PageControl");
    m_settingPage = buildSettingPage();
    m_packagePage = buildPackagePage();
    m_schedulePage = buildSchedulePage();
    m_pages->addTab(m_settingPage, QStringLiteral("   Setting   "));
    m_pages->addTab(m_packagePage, QStringLiteral("Package"));
    m_pages->addTab(m_schedulePage, QStringLiteral("Task Schedule"));
    m_expectationPage = new ExpectationPage(m_dictionary);
    m_pages->addTab(m_expectationPage, QStringLiteral("Expectations"));
    m_transportPage = new TransportPage;
    m_pages->addTab(m_transportPage, QStringLiteral("Transport"));
    m_pages->setCurrentWidget(m_packagePage);

    m_ok = button("spbtnOK", "OK");
    m_cancel = button("spbtnCancel", "Cancel");

    auto *head = new QGridLayout;
    head->addWidget(namedLabel("lblTaskName", "  Task Name:"), 0, 0);
    head->addWidget(m_taskName, 0, 1);
    head->addWidget(namedLabel("lblTaskID", "Task ID:"), 1, 0);
    head->addWidget(m_taskId, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(m_groupId);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    resize(640, 520);
}

QWidget *TfrmTask::buildSettingPage()
{
    auto *page = named(new QWidget, "TabSheetSetting");
    m_serverIp = named(new QComboBox, "cboServerIP");
    makeTypedList(m_serverIp);
    m_secret = named(new QLineEdit, "edtSecretKey");
    m_secret->setEchoMode(QLineEdit::Password);
    m_requestType = named(new QComboBox, "cboRequestType");
    m_requestType->addItems({QStringLiteral("Auth"), QStringLiteral("Acct"), QStringLiteral("Status Server"),
                             QStringLiteral("Disconnect Request"), QStringLiteral("User Defined")});
    m_port = named(new QComboBox, "cboPort");
    makeTypedList(m_port);
    m_port->addItems({QStringLiteral("1812"), QStringLiteral("1813"), QStringLiteral("1645"), QStringLiteral("1646"),
                      QStringLiteral("1700")});
    m_code = named(new SpinEdit(std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), 1), "CSpinEditCode");
    m_modeLabel = namedLabel("lblMode", "Mode");
    m_mode = named(new QComboBox, "cboMode");
    makeTypedList(m_mode);
    m_mode->addItems(
        {QStringLiteral("PAP"), QStringLiteral("CHAP"), QStringLiteral("EAP-MD5"), QStringLiteral("EAP-SIM")});
    for (const taskstore::EnterpriseMode &mode : taskstore::enterpriseModes())
        m_mode->addItem(mode.name);
    m_eapPanel = new EapSettingsPanel;

    m_startId = named(new SpinEdit(0, 255, 0), "CSpinEditStartID");
    m_timeout = named(new SpinEdit(1, 65535, 3), "CSpinEditTimeout");
    m_retry = named(new SpinEdit(1, 65535, 3), "CSpinEditRetry");
    m_repeat = named(new SpinEdit(1, 65535, 1), "CSpinEditRepeat");
    m_parallel = named(new SpinEdit(1, 65535, 1), "CSpinEditParallel");
    m_perSecond = named(new SpinEdit(0, 65535, 0), "CSpinEditPer");
    m_parallelLabel = namedLabel("lblParallel", "NumReqsInPar:");
    m_perSecondLabel = namedLabel("lblPer", "NumReqsPerSec:");

    auto *grid = new QGridLayout(page);
    int row = 0;
    grid->addWidget(namedLabel("lblGeneral", "General"), row++, 0, 1, 4);
    grid->addWidget(namedLabel("lblIP", "Server IP:"), row, 0);
    grid->addWidget(m_serverIp, row, 1);
    grid->addWidget(namedLabel("lblSecretKey", "Secret Key:"), row, 2);
    grid->addWidget(m_secret, row++, 3);
    grid->addWidget(namedLabel("lblReqType", "Request Type:"), row, 0);
    grid->addWidget(m_requestType, row, 1);
    grid->addWidget(namedLabel("lblPort", "Port:"), row, 2);
    grid->addWidget(m_port, row++, 3);
    grid->addWidget(namedLabel("lblCode", "Code:"), row, 0);
    grid->addWidget(m_code, row, 1);
    grid->addWidget(m_modeLabel, row, 2);
    grid->addWidget(m_mode, row++, 3);
    grid->addWidget(namedLabel("lblOption", "Additional Options"), row++, 0, 1, 4);
    grid->addWidget(namedLabel("lblStartID", "RadReqStartId:"), row, 0);
    grid->addWidget(m_startId, row, 1);
    grid->addWidget(namedLabel("lblTimeout", "ReplyTimeout [sec.]:"), row, 2);
    grid->addWidget(m_timeout, row++, 3);
    grid->addWidget(namedLabel("lblRetry", "RetryTimes:  "), row, 0);
    grid->addWidget(m_retry, row, 1);
    grid->addWidget(namedLabel("lblRepeat", "RepeatTimes:"), row, 2);
    grid->addWidget(m_repeat, row++, 3);
    grid->addWidget(m_parallelLabel, row, 0);
    grid->addWidget(m_parallel, row, 1);
    grid->addWidget(m_perSecondLabel, row, 2);
    grid->addWidget(m_perSecond, row++, 3);
    grid->addWidget(m_eapPanel, row++, 0, 1, 4);
    grid->setRowStretch(row, 1);

    for (QWidget *field : {static_cast<QWidget *>(m_port), static_cast<QWidget *>(m_startId),
                           static_cast<QWidget *>(m_code), static_cast<QWidget *>(m_perSecond)})
        TypingFilter::install(field, TypingFilter::digits());
    for (SpinEdit *field : {m_timeout, m_retry, m_repeat, m_parallel})
        TypingFilter::install(field, TypingFilter::nonZeroDigits());
    TypingFilter::install(m_requestType, QString());
    return page;
}

QWidget *TfrmTask::buildPackagePage()
{
    auto *page = named(new QWidget, "TabSheetPackage");
    m_packetTree = named(new QTreeWidget, "trePackage");
    m_packetTree->setHeaderHidden(true);
    m_attributes =
        list("lvwAttr",
             {QStringLiteral("Attribute"), QStringLiteral("Value"), QStringLiteral("ID"), QStringLiteral("PackageID")});
    m_attributes->setColumnHidden(2, true);
    m_attributes->setColumnHidden(3, true);

    m_add = button("spbtnAdd", "&Add");
    m_modifyPacket = button("spbtnModify", "&Modify");
    m_remove = button("spbtnRemove", "&Remove");
    m_clear = button("spbtnClear", "&Clear");
    m_delete = button("spbtnDelete", "&Delete");
    m_import = button("btnImport", "&Import");
    m_export = button("btnExport", "&Export");

    auto *lists = new QHBoxLayout;
    lists->addWidget(m_packetTree, 1);
    lists->addWidget(m_attributes, 2);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_add, m_modifyPacket, m_remove, m_clear, m_delete, m_import, m_export})
        buttons->addWidget(b);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(namedLabel("lblPackage", "Packages"));
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    return page;
}

QWidget *TfrmTask::buildSchedulePage()
{
    auto *page = named(new QWidget, "TabSheetSchedule");
    m_manually = named(new QRadioButton(QStringLiteral("Manually")), "RadioBtnManually");
    m_scheduled = named(new QRadioButton(QStringLiteral("Auto run using internal Schedule")), "RadiobtnSchedule");
    m_manually->setChecked(true);
    m_schedules = list("lvwSchedule",
                       {QStringLiteral("display"), QStringLiteral("SchType"), QStringLiteral("Value"),
                        QStringLiteral("StartTime"), QStringLiteral("id")});
    m_schedules->setHeaderHidden(true);
    for (int column = 1; column < 5; ++column)
        m_schedules->setColumnHidden(column, true);
    m_schedules->setSortingEnabled(true);
    m_schedules->sortByColumn(0, Qt::AscendingOrder);
    m_schedules->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_schAdd = button("spbtnSchAdd", "&Add...");
    m_schModify = button("spbtnSchModify", "&Modify...");
    m_schDelete = button("spbtnSchDel", "&Delete");

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_schAdd);
    buttons->addWidget(m_schModify);
    buttons->addWidget(m_schDelete);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(m_manually);
    layout->addWidget(m_scheduled);
    layout->addWidget(m_schedules, 1);
    layout->addLayout(buttons);
    return page;
}

void TfrmTask::connectControls()
{
    // The expectations open at the packet chosen on the packets page.
    connect(m_pages, &QTabWidget::currentChanged, this, [this] {
        if (m_pages->currentWidget() == m_expectationPage)
            if (const QTreeWidgetItem *packet = selectedPacketNode())
                m_expectationPage->choosePacket(packet->text(0));
    });
    // The rules follow the user's choices from the lists only, not typing or loading.
    connect(m_requestType, &QComboBox::activated, this, &TfrmTask::cboRequestTypeChange);
    connect(m_mode, &QComboBox::activated, this, &TfrmTask::cboModeChange);
    // The EAP fields follow the mode however it is set: chosen, typed or loaded.
    connect(m_mode, &QComboBox::currentTextChanged, this, &TfrmTask::updateEapPanel);
    connect(m_serverIp, &QComboBox::activated, this, &TfrmTask::cboServerIPChange);

    connect(m_packetTree, &QTreeWidget::currentItemChanged, this, [this] {
        refreshAttributeList();
        updatePacketButtons();
    });
    connect(m_packetTree, &QTreeWidget::itemClicked, this, &TfrmTask::refreshAttributeList);
    connect(m_attributes, &QTreeWidget::itemSelectionChanged, this, &TfrmTask::updatePacketButtons);
    connect(m_add, &QPushButton::clicked, this, &TfrmTask::spbtnAddClick);
    connect(m_modifyPacket, &QPushButton::clicked, this, &TfrmTask::spbtnModifyClick);
    connect(m_remove, &QPushButton::clicked, this, &TfrmTask::spbtnRemoveClick);
    connect(m_clear, &QPushButton::clicked, this, &TfrmTask::spbtnClearClick);
    connect(m_delete, &QPushButton::clicked, this, &TfrmTask::spbtnDeleteClick);
    connect(m_import, &QPushButton::clicked, this, &TfrmTask::btnImportClick);
    connect(m_export, &QPushButton::clicked, this, &TfrmTask::btnExportClick);

    connect(m_manually, &QRadioButton::clicked, this, &TfrmTask::runTypeClick);
    connect(m_scheduled, &QRadioButton::clicked, this, &TfrmTask::runTypeClick);
    connect(m_schedules, &QTreeWidget::itemSelectionChanged, this, &TfrmTask::updateScheduleButtons);
    connect(m_schAdd, &QPushButton::clicked, this, &TfrmTask::spbtnSchAddClick);
    connect(m_schModify, &QPushButton::clicked, this, &TfrmTask::spbtnSchModifyClick);
    connect(m_schDelete, &QPushButton::clicked, this, &TfrmTask::spbtnSchDelClick);

    connect(m_ok, &QPushButton::clicked, this, &TfrmTask::spbtnOKClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmTask::applyLanguage()
{
    const platform::LanguageFile file = platform::Language::currentFile();
    platform::Language::apply(this, kTexts, file);
    platform::Language::apply(this, TransportPage::texts(), file);
    applyHeadings(this, kHeadings, file);
    m_expectationPage->applyLanguage(file);
    m_eapPanel->applyLanguage(file);
    if (auto *name = findChild<QLabel *>(QStringLiteral("lblTaskName")))
        name->setText(QStringLiteral("  ")
                      + file.text(QStringLiteral("frmTask"), QStringLiteral("lblTaskName.Caption"),
                                  QStringLiteral("Task Name:")));
    // The request kinds by position: the stored task keeps the index, not the text.
    static const char *const requestTypes[] = {"Auth", "Acct", "Status Server", "Disconnect Request", "User Defined"};
    for (int i = 0; i < m_requestType->count() && i < int(std::size(requestTypes)); ++i)
        m_requestType->setItemText(i,
                                   file.text(QStringLiteral("frmTask"),
                                             QStringLiteral("cboRequestType.item%1").arg(i + 1),
                                             QString::fromLatin1(requestTypes[i])));
}

} // namespace taskdef
