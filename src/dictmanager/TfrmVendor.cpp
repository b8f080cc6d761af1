#include "dictmanager/TfrmVendor.h"
#include "dictmanager/GlossorText.h"

#include "dictmanager/DictionaryManager.h"
#include "dictmanager/MessageBoxes.h"
#include "platform/DigitKeyFilter.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace dictmanager {

TfrmVendor::TfrmVendor(DictionaryManager &manager, QWidget *parent)
    : QDialog(parent), m_manager(manager), m_edtVendor(new QLineEdit(this)), m_edtCode(new QLineEdit(this))
{
    setObjectName(QStringLiteral("frmVendor"));
    setWindowTitle(glossorText("frmVendor.Title", "Add Vendor"));
    m_edtVendor->setObjectName(QStringLiteral("edtVendor"));
    m_edtCode->setObjectName(QStringLiteral("edtCode"));
    m_edtCode->setMaxLength(5);
    platform::DigitKeyFilter::install(m_edtCode);

    auto *btnOK = new QPushButton(glossorText("frmVendor.btnOK", "&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    auto *button2 = new QPushButton(glossorText("frmVendor.Button2", "&Cancel"), this);
    button2->setObjectName(QStringLiteral("Button2"));

    auto *form = new QFormLayout;
    form->addRow(glossorText("frmVendor.lblVendor", "Vendor Name:"), m_edtVendor);
    form->addRow(glossorText("frmVendor.lblCode", "Vendor Code:"), m_edtCode);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(button2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_edtVendor->setMinimumWidth(220);

    connect(btnOK, &QPushButton::clicked, this, &TfrmVendor::btnOKClick);
    connect(button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmVendor::btnOKClick()
{
    if (const std::optional<QString> refusal = m_manager.createVendor(m_edtVendor->text(), m_edtCode->text())) {
        MessageBoxes::plain(*refusal);
        return;
    }
    accept();
}

} // namespace dictmanager
