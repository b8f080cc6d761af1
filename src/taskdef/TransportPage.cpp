#include "taskdef/TransportPage.h"

#include "platform/NamedControl.h"
#include "taskdef/PemFilePicker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using platform::named;
using platform::namedLabel;

namespace taskdef {

namespace {

const platform::TextEntry kTexts[] = {
    {"frmTask", "TabSheetTransport.Caption", "Transport"},
    {"frmTask", "lblTransport.Caption", "Transport:"},
    {"frmTask", "lblCaFile.Caption", "CA File:"},
    {"frmTask", "lblCertFile.Caption", "Client Certificate:"},
    {"frmTask", "lblKeyFile.Caption", "Client Key:"},
    {"frmTask", "chkMessageAuthenticatorFirst.Caption", "Message-Authenticator first in every Access-Request"},
    {"frmTask", "chkRequireMessageAuthenticator.Caption",
     "Require a valid Message-Authenticator in every Access-Accept, -Reject and -Challenge"},
};

QString text(const char *key, const char *builtIn)
{
    return platform::Language::text("frmTask", key, builtIn);
}

// The protocols in the order of the list, as stored.
const char *const kProtocols[] = {"udp", "tcp", "tls"};
const char *const kProtocolNames[] = {"UDP", "TCP", "TLS (RadSec)"};

} // namespace

TransportPage::TransportPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheetTransport"));
    m_protocol = named(new QComboBox, "cboTransport");
    for (std::size_t i = 0; i < std::size(kProtocols); ++i)
        m_protocol->addItem(QString::fromLatin1(kProtocolNames[i]), QString::fromLatin1(kProtocols[i]));
    m_caFile = named(new QLineEdit, "edtCaFile");
    m_certFile = named(new QLineEdit, "edtCertFile");
    m_keyFile = named(new QLineEdit, "edtKeyFile");
    m_authenticatorFirst = named(new QCheckBox, "chkMessageAuthenticatorFirst");
    m_requireAuthenticator = named(new QCheckBox, "chkRequireMessageAuthenticator");

    auto *grid = new QGridLayout;
    grid->addWidget(namedLabel("lblTransport", "Transport:"), 0, 0);
    grid->addWidget(m_protocol, 0, 1);
    addFileRow(grid, 1, "lblCaFile", "CA File:", m_caFile, "btnCaFile");
    addFileRow(grid, 2, "lblCertFile", "Client Certificate:", m_certFile, "btnCertFile");
    addFileRow(grid, 3, "lblKeyFile", "Client Key:", m_keyFile, "btnKeyFile");
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_authenticatorFirst);
    layout->addWidget(m_requireAuthenticator);
    layout->addStretch();

    connect(m_protocol, &QComboBox::currentIndexChanged, this, &TransportPage::updateTlsFields);
    setTransport({});
}

void TransportPage::addFileRow(QGridLayout *grid, int row, const char *labelName, const char *labelText,
                               QLineEdit *edit, const char *buttonName)
{
    auto *pick = named(new QPushButton(QStringLiteral("...")), buttonName);
    connect(pick, &QPushButton::clicked, this, [edit] { pickPemFile(edit); });
    m_pickers << pick;
    grid->addWidget(namedLabel(labelName, labelText), row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(pick, row, 2);
}

std::span<const platform::TextEntry> TransportPage::texts()
{
    return kTexts;
}

void TransportPage::setTransport(const taskstore::TaskTransport &transport)
{
    m_protocol->setCurrentIndex(std::max(0, m_protocol->findData(transport.Protocol)));
    m_caFile->setText(transport.CaFile);
    m_certFile->setText(transport.CertFile);
    m_keyFile->setText(transport.KeyFile);
    m_authenticatorFirst->setChecked(transport.MessageAuthenticatorFirst);
    m_requireAuthenticator->setChecked(transport.RequireMessageAuthenticator);
    updateTlsFields();
}

taskstore::TaskTransport TransportPage::transport() const
{
    taskstore::TaskTransport transport;
    transport.Protocol = m_protocol->currentData().toString();
    // The files belong to TLS only; kept while the user tries another transport, stored only with TLS.
    if (transport.isTls()) {
        transport.CaFile = m_caFile->text().trimmed();
        transport.CertFile = m_certFile->text().trimmed();
        transport.KeyFile = m_keyFile->text().trimmed();
    }
    transport.MessageAuthenticatorFirst = m_authenticatorFirst->isChecked();
    transport.RequireMessageAuthenticator = m_requireAuthenticator->isChecked();
    return transport;
}

std::optional<QString> TransportPage::refusal() const
{
    const taskstore::TaskTransport t = transport();
    if (!t.isTls())
        return std::nullopt;
    if (t.CaFile.isEmpty())
        return text("TransportNoCaFile", "TLS needs a CA file to verify the server's certificate.");
    if (t.CertFile.isEmpty() != t.KeyFile.isEmpty())
        return text("TransportCertWithoutKey", "A client certificate needs its key, and a key its certificate.");
    for (const QString &file : {t.CaFile, t.CertFile, t.KeyFile})
        if (!file.isEmpty() && !QFileInfo(file).isFile())
            return text("TransportNoSuchFile", "The file does not exist: %1").arg(file);
    return std::nullopt;
}

void TransportPage::updateTlsFields()
{
    const bool tls = m_protocol->currentData().toString() == QLatin1String("tls");
    for (QWidget *field :
         {static_cast<QWidget *>(m_caFile), static_cast<QWidget *>(m_certFile), static_cast<QWidget *>(m_keyFile)})
        field->setEnabled(tls);
    for (QPushButton *pick : std::as_const(m_pickers))
        pick->setEnabled(tls);
}

} // namespace taskdef
