#pragma once

#include "dictmanager/AttributeEdit.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

namespace dictmanager {

struct DictionaryModel;
class ValueGrid;

// "Attribute": adds or changes one attribute with its named values.
class TfrmAttr : public QDialog {
    Q_OBJECT
public:
    TfrmAttr(DictionaryModel &model, const AttributeEdit &edit, QWidget *parent = nullptr);

    // Esc, Cancel and the window's close: after a change, only when the user agrees to lose it.
    void reject() override;

private:
    void spbtnOKClick();
    AttributeEdit shownEdit() const;
    bool changed() const;

    DictionaryModel &m_model;
    AttributeEdit m_edit;
    AttributeEdit m_shown; // as the dialog opened
    QLineEdit *m_edtAttrName;
    QLineEdit *m_edtAttrCode;
    QComboBox *m_cboDataType;
    ValueGrid *m_valueListEdt;
    QLabel *m_lblFlag;
};

} // namespace dictmanager
