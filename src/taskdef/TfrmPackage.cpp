#include "taskdef/TfrmPackage.h"

#include "platform/DialogService.h"
#include "platform/Language.h"
#include "radius/DictionaryCatalog.h"
#include "taskdef/FormTexts.h"
#include "taskdef/EscapedForm.h"
#include "taskdef/PacketTable.h"
#include "taskdef/TypedListText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace taskdef {

namespace {
const platform::TextEntry kTexts[] = {
    {"frmPackage", "Title", "Package"},
    {"frmPackage", "lblVendor.Caption", "Vendor:"},
    {"Button_Common", "spbtnAdd.Caption", "&Add"},
    {"Button_Common", "spbtnRemove.Caption", "&Remove"},
    {"Button_Common", "spbtnClear.Caption", "&Clear"},
    {"Dialog_Common", "btnOK.Caption", "OK", "spbtnOK"},
    {"Dialog_Common", "btnCancel.Caption", "Cancel", "spbtnCancel"},
};
const HeadingEntry kHeadings[] = {
    {"frmPackage", "lvwAttrList.Column1.Caption", "Attribute", "lvwArrList", 0},
    {"frmPackage", "lvwAttrList.Column2.Caption", "Value", "lvwArrList", 1},
};
constexpr int kAttributeColumn = 0;
constexpr int kValueColumn = 1;
constexpr int kIdColumn = 2;

QPushButton *button(const char *name, const char *text)
{
    auto *b = new QPushButton(QString::fromLatin1(text));
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QLabel *label(const char *name, const QString &text)
{
    auto *l = new QLabel(text);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}
} // namespace

TfrmPackage::TfrmPackage(const radius::DictionaryCatalog *dictionary, QWidget *parent)
    : QDialog(parent)
    , m_dictionary(dictionary)
{
    setObjectName(QStringLiteral("frmPackage"));
    setWindowTitle(QStringLiteral("Package"));
    buildControls();

    m_vendor->addItem(QStringLiteral("General"));
    if (m_dictionary)
        for (const radius::BrowseVendor &vendor : m_dictionary->vendors())
            m_vendor->addItem(vendor.name);
    m_vendor->setCurrentIndex(0);
    vendorChosen();
    updateButtons();
}

TfrmPackage::~TfrmPackage() = default;

void TfrmPackage::buildControls()
{
    m_packetName = label("lblPackageID", QString());
    m_packetName->setVisible(false);
    m_vendor = new QComboBox;
    m_vendor->setObjectName(QStringLiteral("cboVendor"));
    m_attribute = new QComboBox;
    m_attribute->setObjectName(QStringLiteral("cboAttr"));
    makeTypedList(m_attribute);
    m_attribute->setMaxVisibleItems(20);
    m_value = new QComboBox;
    m_value->setObjectName(QStringLiteral("cboValue"));
    makeTypedList(m_value);

    m_rows = new QTreeWidget;
    m_rows->setObjectName(QStringLiteral("lvwArrList"));
    m_rows->setColumnCount(3);
    m_rows->setHeaderLabels({QStringLiteral("Attribute"), QStringLiteral("Value"), QStringLiteral("ID")});
    m_rows->setColumnHidden(kIdColumn, true);
    m_rows->setRootIsDecorated(false);

    m_add = button("spbtnAdd", "&Add");
    m_remove = button("spbtnRemove", "&Remove");
    m_clear = button("spbtnClear", "&Clear");
    m_ok = button("spbtnOK", "OK");
    m_cancel = button("spbtnCancel", "Cancel");

    auto *pick = new QGridLayout;
    pick->addWidget(label("lblVendor", QStringLiteral("Vendor:")), 0, 0);
    pick->addWidget(m_vendor, 0, 1);
    pick->addWidget(label("lblAttr", QStringLiteral("Attribute:")), 1, 0);
    pick->addWidget(m_attribute, 1, 1);
    pick->addWidget(label("lblValue", QStringLiteral("Value:")), 2, 0);
    pick->addWidget(m_value, 2, 1);
    auto *rowButtons = new QHBoxLayout;
    rowButtons->addWidget(m_add);
    rowButtons->addWidget(m_remove);
    rowButtons->addWidget(m_clear);
    rowButtons->addStretch();
    auto *closeButtons = new QHBoxLayout;
    closeButtons->addStretch();
    closeButtons->addWidget(m_ok);
    closeButtons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_packetName);
    layout->addLayout(pick);
    layout->addWidget(label("lblSpecial1",
                            QStringLiteral("To enter special chars(eg:#{};'()=<>),Please use a backslash (\\)  to remove")));
    layout->addWidget(label("lblSpecial2",
                            QStringLiteral(" the special meaning. eg: enter abc\\#123 instead of abc#123")));
    layout->addLayout(rowButtons);
    layout->addWidget(m_rows);
    layout->addLayout(closeButtons);

    connect(m_vendor, &QComboBox::currentIndexChanged, this, &TfrmPackage::vendorChosen);
    connect(m_attribute, &QComboBox::activated, this, &TfrmPackage::attributeChosen);
    connect(m_rows, &QTreeWidget::itemSelectionChanged, this, &TfrmPackage::updateButtons);
    connect(m_add, &QPushButton::clicked, this, &TfrmPackage::spbtnAddClick);
    connect(m_remove, &QPushButton::clicked, this, &TfrmPackage::spbtnRemoveClick);
    connect(m_clear, &QPushButton::clicked, this, &TfrmPackage::spbtnClearClick);
    connect(m_ok, &QPushButton::clicked, this, &TfrmPackage::spbtnOKClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmPackage::setPacket(const QString &packetName, PacketEditMode mode, const QList<AttributeRow> &rows)
{
    m_packetName->setText(packetName);
    m_mode = mode;
    m_rows->clear();
    for (const AttributeRow &row : rows)
        new QTreeWidgetItem(m_rows, {row.attribute, row.value, row.id});
    updateButtons();
}

QString TfrmPackage::packetName() const
{
    return m_packetName->text().trimmed();
}

QList<AttributeRow> TfrmPackage::rows() const
{
    QList<AttributeRow> out;
    for (int i = 0; i < m_rows->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_rows->topLevelItem(i);
        out.append({item->text(kAttributeColumn), item->text(kValueColumn), item->text(kIdColumn), packetName()});
    }
    return out;
}

void TfrmPackage::showEvent(QShowEvent *event)
{
    applyLanguage();
    QDialog::showEvent(event);
}

void TfrmPackage::applyLanguage()
{
    const platform::LanguageFile file = platform::Language::currentFile();
    platform::Language::apply(this, kTexts, file);
    applyHeadings(this, kHeadings, file);
}

void TfrmPackage::vendorChosen()
{
    const QSignalBlocker blockAttributes(m_attribute);
    m_attribute->clear();
    m_attribute->clearEditText();
    m_attributes.clear();
    m_value->clear();
    m_value->clearEditText();
    if (!m_dictionary)
        return;
    quint32 vendor = 0;
    if (m_vendor->currentIndex() > 0) {
        const std::optional<quint32> number = m_dictionary->vendorNumber(m_vendor->currentText());
        if (!number)
            return;
        vendor = *number;
    }
    m_attributes = m_dictionary->attributesOf(vendor);
    for (const radius::BrowseAttribute &attribute : std::as_const(m_attributes))
        m_attribute->addItem(attribute.name);
    m_attribute->setCurrentIndex(-1);
    m_attribute->clearEditText();
}

void TfrmPackage::attributeChosen(int index)
{
    m_value->clear();
    m_value->clearEditText();
    if (!m_dictionary || index < 0 || index >= m_attributes.size())
        return;
    for (const radius::BrowseValue &value : m_dictionary->valuesOf(m_attributes.at(index)))
        m_value->addItem(value.name);
    m_value->setCurrentIndex(-1);
    m_value->clearEditText();
}

void TfrmPackage::updateButtons()
{
    m_clear->setEnabled(m_rows->topLevelItemCount() > 0);
    m_remove->setEnabled(!m_rows->selectedItems().isEmpty());
}

void TfrmPackage::spbtnAddClick()
{
    auto &dialogs = platform::DialogService::instance();
    const QString attribute = m_attribute->currentText().trimmed();
    const QString value = EscapedForm::trimBlanks(m_value->currentText());
    if (attribute.isEmpty()) {
        dialogs.inform(QStringLiteral("Attribute is empty!"));
        return;
    }
    if (value.isEmpty()) {
        dialogs.inform(QStringLiteral("Value is empty!"));
        return;
    }
    QSet<QString> used;
    for (const AttributeRow &row : rows())
        used.insert(row.id);
    auto *item = new QTreeWidgetItem(m_rows, {attribute, value, PacketTable::drawUniqueKey(used)});
    m_rows->setCurrentItem(item);
    m_attribute->clearEditText();
    m_value->clearEditText();
    updateButtons();
}

void TfrmPackage::spbtnRemoveClick()
{
    const QList<QTreeWidgetItem *> selected = m_rows->selectedItems();
    qDeleteAll(selected);
    updateButtons();
}

void TfrmPackage::spbtnClearClick()
{
    if (!platform::DialogService::instance().askOkCancel(QStringLiteral("Do you really want to clear all attributes of this packet?")))
        return;
    m_rows->clear();
    updateButtons();
}

void TfrmPackage::spbtnOKClick()
{
    if (m_rows->topLevelItemCount() == 0) {
        platform::DialogService::instance().inform(QStringLiteral("No a attrbute! Please add a attribute at least"));
        return;
    }
    accept();
}

} // namespace taskdef
