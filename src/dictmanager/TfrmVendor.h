#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace dictmanager {

class DictionaryManager;

// "Add Vendor": creates a vendor with its one-line vendor file.
class TfrmVendor : public QDialog {
    Q_OBJECT
public:
    explicit TfrmVendor(DictionaryManager &manager, QWidget *parent = nullptr);

private:
    void btnOKClick();

    DictionaryManager &m_manager;
    QLineEdit *m_edtVendor;
    QLineEdit *m_edtCode;
};

} // namespace dictmanager
