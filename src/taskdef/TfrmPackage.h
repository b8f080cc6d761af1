#pragma once

#include "taskdef/AttributeRow.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace radius {
class DictionaryCatalog;
struct BrowseAttribute;
} // namespace radius

namespace taskdef {

enum class PacketEditMode { Add, Modify };

// The packet editor: composes the attribute rows of one packet, offering the dictionary's
// vendors, attributes and named values for picking. Shown modally by the task editor,
// which takes the rows back after OK.
class TfrmPackage : public QDialog {
    Q_OBJECT
public:
    // dictionary may be null (not loaded): only "General" is offered, typing still works.
    explicit TfrmPackage(const radius::DictionaryCatalog *dictionary, QWidget *parent = nullptr);
    ~TfrmPackage() override;

    void setPacket(const QString &packetName, PacketEditMode mode, const QList<AttributeRow> &rows = {});
    PacketEditMode mode() const { return m_mode; }
    QString packetName() const;
    // The rows as listed, each with the packet name as its PackageID.
    QList<AttributeRow> rows() const;

    // What the user is told when the dictionary files changed but could not be read again.
    static QString staleDictionaryText();

    // Esc, Cancel and the close box: after a change, only when the user agrees.
    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void applyLanguage();
    void fillVendors();
    void dictionaryReloaded();
    void showStaleDictionary();
    void fillAttributes();
    void vendorChosen();
    void attributeChosen(int index);
    void showAttributeType();
    void updateButtons();
    QStringList editState() const;
    void spbtnAddClick();
    void spbtnRemoveClick();
    void spbtnClearClick();
    void spbtnOKClick();

    const radius::DictionaryCatalog *m_dictionary;
    QList<radius::BrowseAttribute> m_vendorAttributes; // every attribute of the chosen vendor
    QList<radius::BrowseAttribute> m_attributes;       // the entries of cboAttr, at the same positions
    PacketEditMode m_mode = PacketEditMode::Add;
    QStringList m_shownState; // editState() when first shown
    bool m_shown = false;
    QLabel *m_packetName = nullptr;
    QLabel *m_staleDictionary = nullptr;
    QLineEdit *m_vendorFilter = nullptr;
    QLineEdit *m_attributeFilter = nullptr;
    QLabel *m_attributeType = nullptr;
    QComboBox *m_vendor = nullptr;
    QComboBox *m_attribute = nullptr;
    QComboBox *m_value = nullptr;
    QTreeWidget *m_rows = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_remove = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace taskdef
