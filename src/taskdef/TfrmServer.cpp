#include "taskdef/TfrmServer.h"

#include "platform/DialogService.h"
#include "platform/Language.h"
#include "taskdef/FormTexts.h"
#include "taskdef/ServerTable.h"
#include "taskstore/DatabaseError.h"
#include "taskstore/NewRecordId.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace taskdef {

namespace {
const platform::TextEntry kTexts[] = {
    {"frmServer", "Title", "Server Manager"},
    {"frmServer", "lblServerIP.Caption", "Server IP:"},
    {"frmServer", "lblSecretKey.Caption", "Secret Key:"},
    {"Button_Common", "spbtnAdd.Caption", "&Add"},
    {"Button_Common", "spbtnModify.Caption", "&Modify"},
    {"Button_Common", "spbtnDelete.Caption", "&Delete"},
    {"Button_Common", "spbtnExit.Caption", "&Exit"},
};
const HeadingEntry kHeadings[] = {
    {"frmServer", "lvwServer.Column1.Caption", "Secret IP", "lvwServer", 1},
    {"frmServer", "lvwServer.Column2.Caption", "Secret Key", "lvwServer", 2},
};
// Rows loaded from the table show at most 30 stars, a row just added at most 33.
constexpr int kLoadedMask = 30;
constexpr int kAddedMask = 33;
constexpr int kIdColumn = 0;
constexpr int kIpColumn = 1;

QString serverText(const char *key, const char *builtIn)
{
    return platform::Language::text("frmServer", key, builtIn);
}
} // namespace

TfrmServer::TfrmServer(taskstore::Connection &connection, QWidget *parent)
    : QDialog(parent), m_table(std::make_unique<ServerTable>(connection))
{
    setObjectName(QStringLiteral("frmServer"));
    setWindowTitle(QStringLiteral("Server Manager"));

    auto *ipLabel = new QLabel(QStringLiteral("Server IP:"));
    ipLabel->setObjectName(QStringLiteral("lblServerIP"));
    auto *keyLabel = new QLabel(QStringLiteral("Secret Key:"));
    keyLabel->setObjectName(QStringLiteral("lblSecretKey"));
    m_ip = new QLineEdit;
    m_ip->setObjectName(QStringLiteral("edtIP"));
    m_ip->setMaxLength(50);
    m_key = new QLineEdit;
    m_key->setObjectName(QStringLiteral("edtKey"));
    m_key->setMaxLength(32);
    m_key->setEchoMode(QLineEdit::Password);

    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("lvwServer"));
    m_list->setColumnCount(3);
    m_list->setHeaderLabels({QStringLiteral("ServerID"), QStringLiteral("Server IP"), QStringLiteral("Secret Key")});
    m_list->setColumnHidden(kIdColumn, true);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);

    m_add = new QPushButton(QStringLiteral("&Add"));
    m_add->setObjectName(QStringLiteral("spbtnAdd"));
    m_delete = new QPushButton(QStringLiteral("&Delete"));
    m_delete->setObjectName(QStringLiteral("spbtnDelete"));
    m_delete->setEnabled(false);
    m_exit = new QPushButton(QStringLiteral("&Exit"));
    m_exit->setObjectName(QStringLiteral("spbtnExit"));

    auto *fields = new QGridLayout;
    fields->addWidget(ipLabel, 0, 0);
    fields->addWidget(m_ip, 0, 1);
    fields->addWidget(keyLabel, 1, 0);
    fields->addWidget(m_key, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(m_exit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_list);
    layout->addLayout(buttons);

    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &TfrmServer::selectionChanged);
    connect(m_add, &QPushButton::clicked, this, &TfrmServer::spbtnAddClick);
    connect(m_delete, &QPushButton::clicked, this, &TfrmServer::spbtnDeleteClick);
    connect(m_exit, &QPushButton::clicked, this, &QDialog::close);

    loadList();
}

TfrmServer::~TfrmServer() = default;

TfrmServer *TfrmServer::open(taskstore::Connection &connection, QWidget *parent)
{
    auto *window = new TfrmServer(connection, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setModal(false);
    window->show();
    return window;
}

void TfrmServer::loadList()
{
    try {
        for (const ServerEntry &server : m_table->all())
            new QTreeWidgetItem(m_list,
                                {server.serverId, server.serverIp, ServerTable::masked(server.secretKey, kLoadedMask)});
    } catch (const taskstore::DatabaseError &error) {
        platform::DialogService::instance().showError(error.text());
    }
}

void TfrmServer::showEvent(QShowEvent *event)
{
    applyLanguage();
    QDialog::showEvent(event);
}

void TfrmServer::applyLanguage()
{
    const platform::LanguageFile file = platform::Language::currentFile();
    platform::Language::apply(this, kTexts, file);
    applyHeadings(this, kHeadings, file);
}

void TfrmServer::selectionChanged()
{
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    m_delete->setEnabled(!selected.isEmpty());
    if (selected.isEmpty())
        return;
    QTreeWidgetItem *item = selected.first();
    try {
        const QString secret = m_table->secretOf(item->text(kIdColumn).trimmed());
        m_ip->setText(item->text(kIpColumn).trimmed());
        m_key->setText(secret);
    } catch (const taskstore::DatabaseError &error) {
        platform::DialogService::instance().showError(error.text());
    }
}

void TfrmServer::spbtnAddClick()
{
    auto &dialogs = platform::DialogService::instance();
    const QString ip = m_ip->text().trimmed();
    // Blanks alone are no address, and an address differing only in blanks is the same one.
    if (ip.isEmpty()) {
        dialogs.inform(serverText("ServerIpEmpty", "Server IP is empty!"));
        return;
    }
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        if (m_list->topLevelItem(i)->text(kIpColumn).trimmed() == ip) {
            dialogs.inform(serverText("ServerIpExists", "The Server IP has existed!"));
            return;
        }
    }
    ServerEntry server{QString(), ip, m_key->text().trimmed()};
    try {
        server.serverId = m_table->newServerId();
        m_table->insert(server);
    } catch (const taskstore::DatabaseError &error) {
        dialogs.showError(error.text());
        return;
    }
    new QTreeWidgetItem(m_list, {server.serverId, server.serverIp, ServerTable::masked(server.secretKey, kAddedMask)});
    m_ip->clear();
    m_key->clear();
}

void TfrmServer::spbtnDeleteClick()
{
    QTreeWidgetItem *item = m_list->currentItem();
    if (!item || !item->isSelected())
        return;
    auto &dialogs = platform::DialogService::instance();
    if (!dialogs.askOkCancel(serverText("ConfirmDelete", "Do you really want to delete the Server?")))
        return;
    try {
        m_table->remove(item->text(kIdColumn).trimmed());
    } catch (const taskstore::DatabaseError &error) {
        dialogs.showError(error.text());
        return;
    }
    delete item;
    m_ip->clear();
    m_key->clear();
}

} // namespace taskdef
