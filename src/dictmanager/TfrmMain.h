#pragma once

#include "dictmanager/AttributeEdit.h"
#include "dictmanager/DictionaryManager.h"

#include <QWidget>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QStackedWidget;
class QToolButton;
class QTreeWidget;

namespace dictmanager {

class ValueGrid;

// The dictionary manager's window: page buttons on the left, five pages on the right.
// It shows the model and hands every action to DictionaryManager.
class TfrmMain : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);

    DictionaryManager &manager() { return m_manager; }

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildEditorPage();
    QWidget *buildUploadPage();
    QWidget *buildExportPage();
    QWidget *buildDeletePage();
    QWidget *buildHelpPage();
    QToolButton *pageButton(const char *name, const QString &text);
    QAction *menuItem(const char *name, const QString &caption, const QString &hint);

    void spbtnNewClick();
    void spbtnDelDictClick();
    void spbtnUploadClick();
    void spbtnExportClick();
    void cboVendorListSelect(int index);
    void spbtnAddClick();
    void pmAddClick();
    void pmEditClick();
    void pmDelClick();
    void moveSelected(int offset);
    void lvwAttrListSelectItem();
    void spbtnBrowseClick();
    void spbtnUploadDictClick();
    void spbtnExeExportClick();
    void spbtnDeleteDictClick();

    void reportUnreadable(const QStringList &files);
    void fillVendorBox(QComboBox *box, int index);
    void showStores();
    void showAttributeRows();
    void clearDetails();
    void showAttribute(int row);
    void refreshCount();
    int selectedRow() const;
    void openAttributeDialog(const AttributeEdit &edit);

    DictionaryManager m_manager;
    QStackedWidget *m_notebook = nullptr;
    QComboBox *m_cboVendorList = nullptr;
    QLineEdit *m_edtVendorCode = nullptr;
    QTreeWidget *m_lvwAttrList = nullptr;
    QLineEdit *m_edtAttrCode = nullptr;
    QLineEdit *m_edtDataType = nullptr;
    ValueGrid *m_valueListEdt = nullptr;
    QLabel *m_countPanel = nullptr;
    QLabel *m_hintPanel = nullptr;
    QMenu *m_popupMenu1 = nullptr;
    QAction *m_pmEdit = nullptr;
    QAction *m_pmDel = nullptr;
    QAction *m_pmMoveUp = nullptr;
    QAction *m_pmMoveDown = nullptr;
    QLineEdit *m_edtFilePath = nullptr;
    QToolButton *m_spbtnUploadDict = nullptr;
    QPlainTextEdit *m_memErrMsg = nullptr;
    QComboBox *m_cboVendors = nullptr;
    QToolButton *m_spbtnExeExport = nullptr;
    QComboBox *m_cboDelVendors = nullptr;
    QToolButton *m_spbtnDeleteDict = nullptr;
};

} // namespace dictmanager
