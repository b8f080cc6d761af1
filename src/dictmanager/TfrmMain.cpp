#include "dictmanager/TfrmMain.h"
#include "dictmanager/GlossorText.h"

#include "dictmanager/FormatTexts.h"
#include "dictmanager/MessageBoxes.h"
#include "dictmanager/TfrmAttr.h"
#include "dictmanager/TfrmVendor.h"
#include "dictmanager/ValueGrid.h"
#include "platform/DialogService.h"
#include "platform/HintText.h"
#include "platform/WindowState.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dictmanager {

namespace {
using platform::DialogService;

const QString windowKey = QStringLiteral("Glossor");

enum Page { EditorPage, UploadPage, ExportPage, DeletePage, HelpPage };

QLabel *label(const QString &text, QWidget *parent)
{
    return new QLabel(text, parent);
}

QToolButton *button(const char *name, const QString &text, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

QPlainTextEdit *readOnlyText(const char *name, const QString &text, QWidget *parent)
{
    auto *edit = new QPlainTextEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(true);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return edit;
}

// A page that picks one vendor from a list and acts on it with one button; the button
// waits until a vendor (not the blank first row) is chosen.
QWidget *vendorActionPage(const char *pageName, const QString &caption, const char *listName, const char *buttonName,
                          const QString &buttonText, QComboBox *&vendors, QToolButton *&action)
{
    auto *page = new QWidget;
    page->setObjectName(QLatin1String(pageName));
    vendors = new QComboBox(page);
    vendors->setObjectName(QLatin1String(listName));
    vendors->setMinimumWidth(220);
    action = button(buttonName, buttonText, page);
    action->setEnabled(false);
    auto *row = new QHBoxLayout;
    row->addWidget(label(caption, page));
    row->addWidget(vendors);
    row->addWidget(action);
    row->addStretch();
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(row);
    layout->addStretch();

    QToolButton *enabled = action;
    QObject::connect(vendors, &QComboBox::activated, enabled, [enabled](int index) { enabled->setEnabled(index > 0); });
    return page;
}

} // namespace

TfrmMain::TfrmMain(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(glossorText("Title", "Dictionary Manager"));

    auto *pnlLeft = new QWidget(this);
    pnlLeft->setObjectName(QStringLiteral("pnlLeft"));
    auto *left = new QVBoxLayout(pnlLeft);
    left->setContentsMargins(6, 6, 6, 6);
    QToolButton *spbtnNew = pageButton("spbtnNew", glossorText("spbtnNew", "Edit Dict"));
    QToolButton *spbtnDelDict = pageButton("spbtnDelDict", glossorText("spbtnDelDict", "Delete  Dict"));
    QToolButton *spbtnUpload = pageButton("spbtnUpload", glossorText("spbtnUpload", "Upload Dict"));
    QToolButton *spbtnExport = pageButton("spbtnExport", glossorText("spbtnExport", "Export Dict"));
    QToolButton *spbtnHelp = pageButton("spbtnHelp", glossorText("spbtnHelp", "Help Content "));
    for (QToolButton *b : {spbtnNew, spbtnDelDict, spbtnUpload, spbtnExport, spbtnHelp})
        left->addWidget(b);
    left->addStretch();

    m_notebook = new QStackedWidget(this);
    m_notebook->setObjectName(QStringLiteral("Notebook"));
    m_notebook->addWidget(buildEditorPage());
    m_notebook->addWidget(buildUploadPage());
    m_notebook->addWidget(buildExportPage());
    m_notebook->addWidget(buildDeletePage());
    m_notebook->addWidget(buildHelpPage());

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pnlLeft);
    layout->addWidget(m_notebook, 1);
    resize(900, 580);

    connect(spbtnNew, &QToolButton::clicked, this, &TfrmMain::spbtnNewClick);
    connect(spbtnDelDict, &QToolButton::clicked, this, &TfrmMain::spbtnDelDictClick);
    connect(spbtnUpload, &QToolButton::clicked, this, &TfrmMain::spbtnUploadClick);
    connect(spbtnExport, &QToolButton::clicked, this, &TfrmMain::spbtnExportClick);
    connect(spbtnHelp, &QToolButton::clicked, this, [this] { m_notebook->setCurrentIndex(HelpPage); });

    platform::WindowState(windowKey).restore(*this);

    reportUnreadable(m_manager.startUp());
    fillVendorBox(m_cboVendorList, 0);
}

QToolButton *TfrmMain::pageButton(const char *name, const QString &text)
{
    QToolButton *b = button(name, text, this);
    b->setFixedSize(120, 56);
    QFont font = b->font();
    font.setBold(true);
    b->setFont(font);
    return b;
}

QAction *TfrmMain::menuItem(const char *name, const QString &caption, const QString &hint)
{
    // Parented to the window, so hovering the item shows its hint here.
    auto *action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    action->setStatusTip(platform::longHint(hint));
    m_popupMenu1->addAction(action);
    return action;
}

QWidget *TfrmMain::buildEditorPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Default"));

    m_cboVendorList = new QComboBox(page);
    m_cboVendorList->setObjectName(QStringLiteral("cboVendorList"));
    m_cboVendorList->setStatusTip(platform::longHint(glossorText("cboVendorList.Hint", "|  The vendors list")));
    m_cboVendorList->setMinimumWidth(220);
    m_edtVendorCode = new QLineEdit(page);
    m_edtVendorCode->setObjectName(QStringLiteral("edtVendorCode"));
    m_edtVendorCode->setReadOnly(true);
    m_edtVendorCode->setMaximumWidth(90);
    QToolButton *spbtnAdd = button("spbtnAdd", glossorText("spbtnAdd", "&New"), page);
    spbtnAdd->setStatusTip(platform::longHint(glossorText("spbtnAdd.Hint", "| Create a new vendor")));
    auto *top = new QHBoxLayout;
    top->addWidget(label(glossorText("lblVendorName", "Vendor Name: "), page));
    top->addWidget(m_cboVendorList);
    top->addWidget(label(glossorText("lblCode", "Code: "), page));
    top->addWidget(m_edtVendorCode);
    top->addWidget(spbtnAdd);
    top->addStretch();

    m_lvwAttrList = new QTreeWidget(page);
    m_lvwAttrList->setObjectName(QStringLiteral("lvwAttrList"));
    m_lvwAttrList->setColumnCount(1);
    m_lvwAttrList->setHeaderLabels({glossorText("lvwAttrList.Column1", "Attributes List:")});
    m_lvwAttrList->setRootIsDecorated(false);
    m_lvwAttrList->setContextMenuPolicy(Qt::CustomContextMenu);
    m_popupMenu1 = new QMenu(this);
    m_popupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QAction *pmAdd =
        menuItem("pmAdd", glossorText("pmAdd", "Add..."), glossorText("pmAdd.Hint", "| Add a new attribute"));
    m_pmEdit = menuItem("pmEdit", glossorText("pmEdit", "&Edit..."),
                        glossorText("pmEdit.Hint", "| Edit the selected attribute"));
    m_pmDel = menuItem("pmDel", glossorText("pmDel", "&Delete "),
                       glossorText("pmDel.Hint", "| Delete the selected attribute"));
    m_popupMenu1->addSeparator();
    m_pmMoveUp = menuItem("pmMoveUp", glossorText("pmMoveUp", "Move &Up"),
                          glossorText("pmMoveUp.Hint", "| Move Up the selected attribute"));
    m_pmMoveDown = menuItem("pmMoveDown", glossorText("pmMoveDown", "Move &Down"),
                            glossorText("pmMoveDown.Hint", "| Move Down the selected attribute"));

    m_edtAttrCode = new QLineEdit(page);
    m_edtAttrCode->setObjectName(QStringLiteral("edtAttrCode"));
    m_edtAttrCode->setReadOnly(true);
    m_edtDataType = new QLineEdit(page);
    m_edtDataType->setObjectName(QStringLiteral("edtDataType"));
    m_edtDataType->setReadOnly(true);
    m_valueListEdt = new ValueGrid(false, page);
    auto *details = new QGridLayout;
    details->addWidget(label(glossorText("lblAttrCode", "Attribute Code: "), page), 0, 0);
    details->addWidget(m_edtAttrCode, 0, 1);
    details->addWidget(label(glossorText("lblDataType", "Data Type:"), page), 1, 0);
    details->addWidget(m_edtDataType, 1, 1);
    details->addWidget(label(glossorText("lblAttrValue", " Attribute Value"), page), 2, 0, 1, 2);
    details->addWidget(m_valueListEdt, 3, 0, 1, 2);
    details->setRowStretch(3, 1);
    auto *detailPanel = new QWidget(page);
    detailPanel->setLayout(details);
    details->setContentsMargins(0, 0, 0, 0);
    auto *middle = new QSplitter(page);
    middle->setObjectName(QStringLiteral("splAttributes"));
    middle->setChildrenCollapsible(false);
    middle->addWidget(m_lvwAttrList);
    middle->addWidget(detailPanel);
    middle->setSizes({4, 5});

    auto *statusBar = new QStatusBar(page);
    statusBar->setObjectName(QStringLiteral("StatusBar"));
    statusBar->setSizeGripEnabled(false);
    m_countPanel = new QLabel(glossorText("StatusBarPanel0.Empty", "0   attributes"), statusBar);
    m_countPanel->setObjectName(QStringLiteral("StatusBarPanel0"));
    m_countPanel->setFixedWidth(100);
    m_hintPanel = new QLabel(statusBar);
    m_hintPanel->setObjectName(QStringLiteral("StatusBarPanel1"));
    statusBar->addWidget(m_countPanel);
    statusBar->addWidget(m_hintPanel, 1);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 6, 6, 0);
    layout->addLayout(top);
    layout->addWidget(middle, 1);
    layout->addWidget(statusBar);

    connect(m_cboVendorList, &QComboBox::activated, this, &TfrmMain::cboVendorListSelect);
    connect(spbtnAdd, &QToolButton::clicked, this, &TfrmMain::spbtnAddClick);
    connect(m_lvwAttrList, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_popupMenu1->popup(m_lvwAttrList->viewport()->mapToGlobal(pos)); });
    connect(m_lvwAttrList, &QTreeWidget::itemSelectionChanged, this, &TfrmMain::lvwAttrListSelectItem);
    connect(pmAdd, &QAction::triggered, this, &TfrmMain::pmAddClick);
    connect(m_pmEdit, &QAction::triggered, this, &TfrmMain::pmEditClick);
    connect(m_pmDel, &QAction::triggered, this, &TfrmMain::pmDelClick);
    connect(m_pmMoveUp, &QAction::triggered, this, [this] { moveSelected(-1); });
    connect(m_pmMoveDown, &QAction::triggered, this, [this] { moveSelected(+1); });
    lvwAttrListSelectItem();
    return page;
}

QWidget *TfrmMain::buildUploadPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("UploadDict"));
    m_edtFilePath = new QLineEdit(page);
    m_edtFilePath->setObjectName(QStringLiteral("edtFilePath"));
    QToolButton *spbtnBrowse = button("spbtnBrowse", glossorText("spbtnBrowse", "Browse ...."), page);
    m_spbtnUploadDict = button("spbtnUploadDict", glossorText("spbtnUploadDict", "Upload"), page);
    m_spbtnUploadDict->setEnabled(false);
    m_memErrMsg = readOnlyText("memErrMsg", FormatTexts::uploadDescription(), page);

    auto *row = new QHBoxLayout;
    row->addWidget(label(glossorText("lblUpload", "Upload a dictionary:  "), page));
    row->addWidget(m_edtFilePath, 1);
    row->addWidget(spbtnBrowse);
    row->addWidget(m_spbtnUploadDict);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(row);
    layout->addWidget(label(glossorText("lblDescription", "  Description: "), page));
    layout->addWidget(m_memErrMsg, 1);

    connect(m_edtFilePath, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_spbtnUploadDict->setEnabled(!text.isEmpty()); });
    connect(spbtnBrowse, &QToolButton::clicked, this, &TfrmMain::spbtnBrowseClick);
    connect(m_spbtnUploadDict, &QToolButton::clicked, this, &TfrmMain::spbtnUploadDictClick);
    return page;
}

QWidget *TfrmMain::buildExportPage()
{
    QWidget *page =
        vendorActionPage("DownloadDict", glossorText("lblExport", "Export a dictionary:"), "cboVendors",
                         "spbtnExeExport", glossorText("spbtnExeExport", "Export..."), m_cboVendors, m_spbtnExeExport);
    connect(m_spbtnExeExport, &QToolButton::clicked, this, &TfrmMain::spbtnExeExportClick);
    return page;
}

QWidget *TfrmMain::buildDeletePage()
{
    QWidget *page = vendorActionPage("DeleteDict", glossorText("lblDelete", "Delete a dictionaryr: "), "cboDelVendors",
                                     "spbtnDeleteDict", glossorText("spbtnDeleteDict", "Delete"), m_cboDelVendors,
                                     m_spbtnDeleteDict);
    connect(m_spbtnDeleteDict, &QToolButton::clicked, this, &TfrmMain::spbtnDeleteDictClick);
    return page;
}

QWidget *TfrmMain::buildHelpPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Help"));
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(label(glossorText("lblHelp", " Help:"), page));
    layout->addWidget(readOnlyText("memHelp", FormatTexts::help(), page), 1);
    return page;
}

bool TfrmMain::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        // Status tips hold the long part of each hint already.
        m_hintPanel->setText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QWidget::event(event);
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    QStringList errors;
    const QString saveError = m_manager.saveShown(m_cboVendorList->currentIndex());
    if (!saveError.isEmpty())
        errors << saveError;
    const QString indexError = m_manager.rewriteIndex();
    if (!indexError.isEmpty())
        errors << indexError;
    if (!errors.isEmpty()
        && !DialogService::instance().askYesNo(
            errors.join(QLatin1Char('\n')) + QLatin1String("\n\n")
            + glossorText("CloseAnyway", "Close anyway? The changes that could not be saved are lost."))) {
        event->ignore();
        return;
    }
    platform::WindowState(windowKey).save(*this);
    event->accept();
}

void TfrmMain::reportUnreadable(const QStringList &files)
{
    for (qsizetype i = 0; i < files.size(); ++i)
        MessageBoxes::plain(glossorText("LoadFailed", "Couldn't load dictionary file!"));
}

void TfrmMain::fillVendorBox(QComboBox *box, int index)
{
    box->clear();
    box->addItems(m_manager.model().vendorList);
    box->setCurrentIndex(index);
}

void TfrmMain::spbtnNewClick()
{
    if (m_notebook->currentIndex() == EditorPage)
        return;
    reportUnreadable(m_manager.reloadEditor());
    fillVendorBox(m_cboVendorList, 0);
    showStores();
    m_notebook->setCurrentIndex(EditorPage);
}

void TfrmMain::spbtnUploadClick()
{
    m_edtFilePath->clear();
    m_notebook->setCurrentIndex(UploadPage);
}

void TfrmMain::spbtnExportClick()
{
    if (m_notebook->currentIndex() == ExportPage)
        return;
    fillVendorBox(m_cboVendors, 0);
    m_spbtnExeExport->setEnabled(false);
    m_notebook->setCurrentIndex(ExportPage);
}

void TfrmMain::spbtnDelDictClick()
{
    if (m_notebook->currentIndex() == DeletePage)
        return;
    const QString saveError = m_manager.saveShown(m_cboVendorList->currentIndex());
    if (!saveError.isEmpty()) {
        DialogService::instance().showError(saveError);
        return;
    }
    m_cboVendorList->setCurrentIndex(0);
    const QString indexError = m_manager.rewriteIndex();
    if (!indexError.isEmpty())
        DialogService::instance().showError(indexError);
    fillVendorBox(m_cboDelVendors, 0);
    m_spbtnDeleteDict->setEnabled(false);
    m_notebook->setCurrentIndex(DeletePage);
}

void TfrmMain::cboVendorListSelect(int index)
{
    const DictionaryManager::Choice choice = m_manager.chooseVendor(index);
    if (!choice.saveError.isEmpty()) {
        DialogService::instance().showError(choice.saveError);
        m_cboVendorList->setCurrentIndex(m_manager.model().currentVendorIndex);
        return;
    }
    if (choice.loadFailed)
        MessageBoxes::plain(glossorText("LoadFailed", "Couldn't load dictionary file!"));
    showStores();
}

void TfrmMain::spbtnAddClick()
{
    TfrmVendor dialog(m_manager, this);
    dialog.exec();
    const int shown = m_cboVendorList->currentIndex();
    fillVendorBox(m_cboVendorList, shown);
    refreshCount();
}

void TfrmMain::pmAddClick()
{
    if (m_cboVendorList->currentIndex() <= 0) {
        MessageBoxes::plain(
            glossorText("SelectVendorFirst", "Please select a vendor before add  attributes in vendors list!"));
        refreshCount();
        return;
    }
    openAttributeDialog(AttributeEdit::forAdd());
}

void TfrmMain::pmEditClick()
{
    const int row = selectedRow();
    if (row >= 0)
        openAttributeDialog(AttributeEdit::forEdit(m_manager.model(), row));
}

void TfrmMain::openAttributeDialog(const AttributeEdit &edit)
{
    const int row = selectedRow();
    TfrmAttr dialog(m_manager.model(), edit, this);
    dialog.exec();
    showAttributeRows();
    if (row >= 0 && row < m_lvwAttrList->topLevelItemCount())
        m_lvwAttrList->setCurrentItem(m_lvwAttrList->topLevelItem(row));
    refreshCount();
}

void TfrmMain::pmDelClick()
{
    const int row = selectedRow();
    if (row < 0
        || !MessageBoxes::askOkCancelInformation(glossorText("DeleteAttribute", "Delete the selected atttbute?")))
        return;
    m_manager.model().deleteAttributeRow(row);
    showAttributeRows();
    clearDetails();
    refreshCount();
}

void TfrmMain::moveSelected(int offset)
{
    const int row = selectedRow();
    if (row < 0)
        return;
    m_manager.model().moveRow(row, offset);
    const QStringList &names = m_manager.model().attributeList;
    for (int r = 0; r < m_lvwAttrList->topLevelItemCount(); ++r)
        m_lvwAttrList->topLevelItem(r)->setText(0, names.value(r));
    showAttribute(row);
    refreshCount();
}

void TfrmMain::lvwAttrListSelectItem()
{
    const int row = selectedRow();
    const int last = m_lvwAttrList->topLevelItemCount() - 1;
    m_pmEdit->setEnabled(row >= 0);
    m_pmDel->setEnabled(row >= 0);
    m_pmMoveUp->setEnabled(row > 0);
    m_pmMoveDown->setEnabled(row >= 0 && row < last);
    if (row >= 0)
        showAttribute(row);
}

void TfrmMain::showStores()
{
    m_edtVendorCode->setText(m_manager.model().vendorCode);
    showAttributeRows();
    clearDetails();
    refreshCount();
}

void TfrmMain::showAttributeRows()
{
    m_lvwAttrList->clear();
    for (const QString &name : m_manager.model().attributeList)
        m_lvwAttrList->addTopLevelItem(new QTreeWidgetItem(QStringList{name}));
    // A name wider than the pane scrolls rather than being cut.
    m_lvwAttrList->resizeColumnToContents(0);
    lvwAttrListSelectItem();
}

void TfrmMain::clearDetails()
{
    m_edtAttrCode->clear();
    m_edtDataType->clear();
    m_valueListEdt->setRows({});
}

void TfrmMain::showAttribute(int row)
{
    clearDetails();
    const DictionaryModel &model = m_manager.model();
    const QString name = model.attributeList.value(row);
    const qsizetype index = model.firstAttribute(name);
    if (index < 0)
        return;
    m_edtAttrCode->setText(model.attributes.at(index).code);
    m_edtDataType->setText(model.attributes.at(index).dataType);
    QList<ValueGrid::Row> rows;
    for (const ValueEntry &value : model.valuesOf(name))
        rows.append({value.valueName, value.number});
    m_valueListEdt->setRows(rows);
}

void TfrmMain::refreshCount()
{
    m_countPanel->setText(glossorText("StatusBarPanel0", " %1 attributes").arg(m_lvwAttrList->topLevelItemCount()));
}

int TfrmMain::selectedRow() const
{
    const QList<QTreeWidgetItem *> selected = m_lvwAttrList->selectedItems();
    return selected.isEmpty() ? -1 : m_lvwAttrList->indexOfTopLevelItem(selected.first());
}

void TfrmMain::spbtnBrowseClick()
{
    m_memErrMsg->clear();
    const QString path = DialogService::instance().openFileName(
        {{}, {}, glossorText("UploadFilter", "Text Files (*.txt);;Doc Files (*.doc);;All Files (*.*)"), {}, {}});
    if (!path.isEmpty()) {
        m_edtFilePath->setText(path);
        m_spbtnUploadDict->setEnabled(true);
    }
}

void TfrmMain::spbtnUploadDictClick()
{
    for (const QString &line : m_manager.upload(m_edtFilePath->text()))
        m_memErrMsg->appendPlainText(line);
    fillVendorBox(m_cboVendorList, m_cboVendorList->currentIndex());
}

void TfrmMain::spbtnExeExportClick()
{
    const QString vendor = m_cboVendors->currentText();
    QString error;
    const std::optional<QByteArrayList> lines = DictionaryManager::exportLines(vendor, &error);
    if (!lines) {
        DialogService::instance().showError(error);
        return;
    }
    const QString target =
        DialogService::instance().saveFileName({glossorText("ExportTitle", "Export to"),
                                                {},
                                                glossorText("ExportFilter", "Text Files (*.txt);;All Files (*.*)"),
                                                QStringLiteral("0"),
                                                vendor});
    if (target.isEmpty())
        return;
    error = DictionaryManager::writeExport(*lines, target);
    if (!error.isEmpty())
        DialogService::instance().showError(error);
}

void TfrmMain::spbtnDeleteDictClick()
{
    const int position = m_cboDelVendors->currentIndex();
    if (position <= 0
        || !MessageBoxes::askOkCancelInformation(glossorText("DeleteDictionary", "Delete the dictionary file?")))
        return;
    switch (m_manager.deleteVendor(position)) {
    case DictionaryManager::DeleteResult::Deleted:
        // Back on the placeholder: a further "Delete" has nothing to delete.
        fillVendorBox(m_cboDelVendors, 0);
        fillVendorBox(m_cboVendorList, 0);
        m_spbtnDeleteDict->setEnabled(false);
        break;
    case DictionaryManager::DeleteResult::Failed:
        MessageBoxes::plain(glossorText("DeleteFailed", "Delete dictionary file fail!"));
        break;
    case DictionaryManager::DeleteResult::Nothing: break;
    }
}

} // namespace dictmanager
