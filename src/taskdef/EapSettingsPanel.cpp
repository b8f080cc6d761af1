#include "taskdef/EapSettingsPanel.h"

#include "platform/Language.h"
#include "platform/NamedControl.h"
#include "taskdef/PemFilePicker.h"
#include "taskstore/AuthMode.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using platform::named;
using platform::namedLabel;

namespace taskdef {

namespace {
const platform::TextEntry kTexts[] = {
    {"frmTask", "lblEapHint.Caption", "The user's identity and password are the packet's User-Name and User-Password."},
    {"frmTask", "lblEapAnonymous.Caption", "Anonymous Identity:"},
    {"frmTask", "lblEapInner.Caption", "Inner Method:"},
    {"frmTask", "chkEapVerifyServer.Caption", "Verify the server's certificate"},
    {"frmTask", "lblEapCaFile.Caption", "CA File:"},
    {"frmTask", "lblEapCertFile.Caption", "Client Certificate:"},
    {"frmTask", "lblEapKeyFile.Caption", "Client Key:"},
};
} // namespace

EapSettingsPanel::EapSettingsPanel(QWidget *parent) : QGroupBox(QStringLiteral("EAP Settings"), parent)
{
    setObjectName(QStringLiteral("grpEap"));
    m_hint = namedLabel("lblEapHint", kTexts[0].builtIn);
    m_hint->setWordWrap(true);
    m_anonymous = named(new QLineEdit, "edtEapAnonymous");
    m_inner = named(new QComboBox, "cboEapInner");
    for (const taskstore::InnerMethod &method : taskstore::innerMethods())
        m_inner->addItem(method.name, QString(method.value));
    m_inner->setCurrentIndex(-1); // chosen by the user, never by default
    m_verifyServer = named(new QCheckBox(QStringLiteral("Verify the server's certificate")), "chkEapVerifyServer");
    m_caFile = named(new QLineEdit, "edtEapCaFile");
    m_certFile = named(new QLineEdit, "edtEapCertFile");
    m_keyFile = named(new QLineEdit, "edtEapKeyFile");

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_hint, 0, 0, 1, 3);
    QLabel *anonymousLabel = namedLabel("lblEapAnonymous", "Anonymous Identity:");
    grid->addWidget(anonymousLabel, 1, 0);
    grid->addWidget(m_anonymous, 1, 1, 1, 2);
    m_anonymousRow = {{anonymousLabel, m_anonymous}};
    QLabel *innerLabel = namedLabel("lblEapInner", "Inner Method:");
    grid->addWidget(innerLabel, 2, 0);
    grid->addWidget(m_inner, 2, 1, 1, 2);
    m_innerRow = {{innerLabel, m_inner}};
    grid->addWidget(m_verifyServer, 3, 0, 1, 3);
    m_caRow = addFileRow(grid, 4, "lblEapCaFile", "CA File:", m_caFile, "btnEapCaFile");
    m_caRow.widgets << m_verifyServer;
    m_caPicker = findChild<QPushButton *>(QStringLiteral("btnEapCaFile"));
    m_certRow = addFileRow(grid, 5, "lblEapCertFile", "Client Certificate:", m_certFile, "btnEapCertFile");
    m_keyRow = addFileRow(grid, 6, "lblEapKeyFile", "Client Key:", m_keyFile, "btnEapKeyFile");
    grid->setColumnStretch(1, 1);

    connect(m_verifyServer, &QCheckBox::toggled, this, &EapSettingsPanel::updateCaFile);
    setSettings({});
    showFieldsOf(QString());
}

EapSettingsPanel::Row EapSettingsPanel::addFileRow(QGridLayout *grid, int row, const char *labelName,
                                                   const char *labelText, QLineEdit *edit, const char *buttonName)
{
    QLabel *label = namedLabel(labelName, labelText);
    auto *pick = named(new QPushButton(QStringLiteral("...")), buttonName);
    pick->setAutoDefault(false);
    connect(pick, &QPushButton::clicked, this, [edit] { pickPemFile(edit); });
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(pick, row, 2);
    return {{label, edit, pick}};
}

void EapSettingsPanel::showRow(const Row &row, bool shown)
{
    for (QWidget *w : row.widgets)
        w->setVisible(shown);
}

void EapSettingsPanel::showFieldsOf(const QString &mode)
{
    const taskstore::EnterpriseMode *m = taskstore::enterpriseMode(mode);
    setVisible(m != nullptr);
    if (!m)
        return;
    m_hint->setVisible(m->usesPassword);
    showRow(m_anonymousRow, m->anonymousIdentity);
    showRow(m_innerRow, m->innerMethod);
    for (const Row *row : {&m_caRow, &m_certRow, &m_keyRow})
        showRow(*row, m->tls);
}

void EapSettingsPanel::setSettings(const taskstore::TaskEapSettings &settings)
{
    m_anonymous->setText(settings.AnonymousIdentity);
    m_inner->setCurrentIndex(m_inner->findData(settings.InnerMethod));
    m_verifyServer->setChecked(settings.VerifyServer);
    m_caFile->setText(settings.CaFile);
    m_certFile->setText(settings.CertFile);
    m_keyFile->setText(settings.KeyFile);
    updateCaFile();
}

taskstore::TaskEapSettings EapSettingsPanel::entered() const
{
    taskstore::TaskEapSettings settings;
    settings.AnonymousIdentity = m_anonymous->text();
    settings.InnerMethod = m_inner->currentData().toString();
    settings.VerifyServer = m_verifyServer->isChecked();
    settings.CaFile = m_caFile->text();
    settings.CertFile = m_certFile->text();
    settings.KeyFile = m_keyFile->text();
    return settings;
}

void EapSettingsPanel::applyLanguage(const platform::LanguageFile &file)
{
    // The box is no window of its own: its title is set here, not as a window title.
    setTitle(file.text(QStringLiteral("frmTask"), QStringLiteral("grpEap.Caption"), QStringLiteral("EAP Settings")));
    platform::Language::apply(this, kTexts, file);
    m_caFile->setPlaceholderText(file.text(QStringLiteral("frmTask"), QStringLiteral("edtEapCaFile.Placeholder"),
                                           QStringLiteral("empty: the system's certificates")));
}

// Without the check the server's certificate is taken as it comes: no CA file to name.
void EapSettingsPanel::updateCaFile()
{
    const bool verify = m_verifyServer->isChecked();
    m_caFile->setEnabled(verify);
    m_caPicker->setEnabled(verify);
}

} // namespace taskdef
