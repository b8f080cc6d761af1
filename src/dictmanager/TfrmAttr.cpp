#include "dictmanager/TfrmAttr.h"
#include "dictmanager/GlossorText.h"

#include "dictmanager/AttributeTypes.h"
#include "dictmanager/DictionaryModel.h"
#include "dictmanager/MessageBoxes.h"
#include "dictmanager/ValueGrid.h"
#include "platform/DialogService.h"
#include "platform/DigitKeyFilter.h"
#include "platform/Language.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dictmanager {

TfrmAttr::TfrmAttr(DictionaryModel &model, const AttributeEdit &edit, QWidget *parent)
    : QDialog(parent), m_model(model), m_edit(edit), m_edtAttrName(new QLineEdit(edit.name, this)),
      m_edtAttrCode(new QLineEdit(edit.code, this)), m_cboDataType(new QComboBox(this)),
      m_valueListEdt(new ValueGrid(true, this)),
      m_lblFlag(new QLabel(edit.mode == AttributeEdit::Mode::Add ? glossorText("frmAttr.ModeAdd", "add")
                                                                 : glossorText("frmAttr.ModeEdit", "edit"),
                           this))
{
    setObjectName(QStringLiteral("frmAttr"));
    setWindowTitle(glossorText("frmAttr.Title", "Attribute"));
    m_edtAttrName->setObjectName(QStringLiteral("edtAttrName"));
    m_edtAttrName->setMaxLength(40);
    m_edtAttrCode->setObjectName(QStringLiteral("edtAttrCode"));
    m_edtAttrCode->setMaxLength(5);
    platform::DigitKeyFilter::install(m_edtAttrCode);
    m_cboDataType->setObjectName(QStringLiteral("cboDataType"));
    m_cboDataType->setEditable(true);
    m_cboDataType->setInsertPolicy(QComboBox::NoInsert);
    m_cboDataType->addItems(AttributeTypes::offered());
    m_cboDataType->setCurrentIndex(-1);
    m_cboDataType->setEditText(edit.dataType);
    m_lblFlag->setObjectName(QStringLiteral("lblFlag"));
    m_lblFlag->hide();

    // An empty row to type into; the down arrow on the last row adds more.
    m_valueListEdt->setRows(edit.rows.isEmpty() ? QList<ValueGrid::Row>{{}} : edit.rows);

    auto *spbtnOK = new QPushButton(glossorText("frmAttr.spbtnOK", "&OK"), this);
    spbtnOK->setObjectName(QStringLiteral("spbtnOK"));
    spbtnOK->setAutoDefault(false);
    auto *spbtnCancel = new QPushButton(glossorText("frmAttr.spbtnCancel", "&Cancel"), this);
    spbtnCancel->setObjectName(QStringLiteral("spbtnCancel"));
    spbtnCancel->setAutoDefault(false);

    auto *form = new QFormLayout;
    form->addRow(glossorText("frmAttr.lblAttrName", "Attribute Name:"), m_edtAttrName);
    form->addRow(glossorText("frmAttr.lblAttrCode", "Attribute Code:"), m_edtAttrCode);
    form->addRow(glossorText("frmAttr.lblDataType", "Data Type:"), m_cboDataType);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(spbtnOK);
    buttons->addWidget(spbtnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(
        new QLabel(glossorText("frmAttr.lblAttrValue", "Attribute Value(Press \u2193 key to add a row)"), this));
    layout->addWidget(m_valueListEdt);
    layout->addWidget(m_lblFlag);
    layout->addLayout(buttons);
    // Every control shown in full, the grid with room for a few rows.
    resize(sizeHint().expandedTo(QSize(420, 400)));

    connect(spbtnOK, &QPushButton::clicked, this, &TfrmAttr::spbtnOKClick);
    connect(spbtnCancel, &QPushButton::clicked, this, &TfrmAttr::reject);
    m_shown = shownEdit();
}

AttributeEdit TfrmAttr::shownEdit() const
{
    m_valueListEdt->finishEditing();
    AttributeEdit edit = m_edit;
    edit.name = m_edtAttrName->text();
    edit.code = m_edtAttrCode->text();
    edit.dataType = m_cboDataType->currentText();
    edit.rows = m_valueListEdt->rows();
    return edit;
}

bool TfrmAttr::changed() const
{
    // Empty rows at the end are only room to type into.
    const auto typed = [](QList<AttributeEdit::Row> rows) {
        while (!rows.isEmpty() && rows.last().first.isEmpty() && rows.last().second.isEmpty())
            rows.removeLast();
        return rows;
    };
    const AttributeEdit now = shownEdit();
    return now.name != m_shown.name || now.code != m_shown.code || now.dataType != m_shown.dataType
        || typed(now.rows) != typed(m_shown.rows);
}

void TfrmAttr::reject()
{
    if (changed()
        && !platform::DialogService::instance().askYesNo(
            platform::Language::text("frmAttr", "DiscardChanges", "Discard your changes?")))
        return;
    QDialog::reject();
}

void TfrmAttr::spbtnOKClick()
{
    AttributeEdit edit = shownEdit();
    if (const std::optional<AttributeEdit::Refusal> refusal = edit.check(m_model)) {
        if (refusal->information)
            MessageBoxes::information(refusal->text);
        else
            MessageBoxes::plain(refusal->text);
        return;
    }
    edit.apply(m_model);
    accept();
}

} // namespace dictmanager
