#include "taskdef/TfrmPackage.h"

#include "platform/DialogService.h"
#include "platform/DiscardQuestion.h"
#include "platform/Language.h"
#include "platform/WindowState.h"
#include "radius/AttributeValueCheck.h"
#include "radius/Dictionary.h"
#include "radius/DictionaryCatalog.h"
#include "taskdef/EditorDialogs.h"
#include "taskdef/EscapedForm.h"
#include "taskdef/FormTexts.h"
#include "taskdef/PacketTable.h"
#include "taskdef/PairLineFormatter.h"
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
    {"frmPackage", "lblAttr.Caption", "Attribute:"},
    {"frmPackage", "lblValue.Caption", "Value:"},
    {"frmPackage", "lblAttrTypeCaption.Caption", "Type:"},
    {"frmPackage", "lblSpecial1.Caption",
     "To enter special chars(eg:#{};'()=<>),Please use a backslash (\\)  to remove"},
    {"frmPackage", "lblSpecial2.Caption", " the special meaning. eg: enter abc\\#123 instead of abc#123"},
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
// What the user is told a value of each form must look like; %1 is the attribute.
struct FormText {
    radius::ValueForm form;
    const char *key;
    const char *builtIn;
};
const FormText kFormTexts[] = {
    {radius::ValueForm::Number, "ValueCheck.Number", "%1 needs a number or one of its named values"},
    {radius::ValueForm::Ipv4Address, "ValueCheck.Ipv4Address", "%1 needs an IPv4 address such as 192.0.2.1"},
    {radius::ValueForm::Ipv6Address, "ValueCheck.Ipv6Address", "%1 needs an IPv6 address such as 2001:db8::1"},
    {radius::ValueForm::IpAddress, "ValueCheck.IpAddress", "%1 needs an IPv4 or IPv6 address"},
    {radius::ValueForm::Ipv4Prefix, "ValueCheck.Ipv4Prefix", "%1 needs an IPv4 prefix such as 192.0.2.0/24"},
    {radius::ValueForm::Ipv6Prefix, "ValueCheck.Ipv6Prefix", "%1 needs an IPv6 prefix such as 2001:db8::/32"},
    {radius::ValueForm::IpPrefix, "ValueCheck.IpPrefix", "%1 needs an IPv4 or IPv6 prefix"},
    {radius::ValueForm::Date, "ValueCheck.Date",
     "%1 needs a date such as Dec 10 2026 13:00:00 UTC or a number of seconds since 1970"},
    {radius::ValueForm::HexOctets, "ValueCheck.HexOctets", "%1 needs octets in hexadecimal after 0x such as 0x0a1b2c"},
    {radius::ValueForm::Ethernet, "ValueCheck.Ethernet", "%1 needs an Ethernet address such as 00:11:22:33:44:55"},
    {radius::ValueForm::InterfaceId, "ValueCheck.InterfaceId",
     "%1 needs an interface identifier such as 0011:2233:4455:6677"},
};

QString packageText(const char *key, const char *builtIn)
{
    return platform::Language::text("frmPackage", key, builtIn);
}

// Why Add refuses a value: the attribute, what it needs, and the library's own words.
QString refusalText(const QString &attribute, const radius::ValueVerdict &verdict)
{
    if (verdict.outcome == radius::ValueVerdict::Outcome::TooLong)
        return packageText("ValueCheck.TooLong", "%1 takes at most %2 octets: %3 given")
            .arg(attribute)
            .arg(radius::AttributeValueCheck::MaxOctets)
            .arg(verdict.octets);
    QString text = packageText("ValueCheck.Other", "%1 cannot take this value as %2")
                       .arg(attribute, radius::AttributeValueCheck::typeName(verdict.attribute.type));
    for (const FormText &entry : kFormTexts)
        if (entry.form == verdict.form)
            text = packageText(entry.key, entry.builtIn).arg(attribute);
    if (!verdict.libraryText.isEmpty())
        text += QLatin1Char('\n')
            + packageText("ValueCheck.Library", "The dictionary library says: %1").arg(verdict.libraryText);
    return text;
}

constexpr int kGeneralRole = Qt::UserRole + 1;
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
    : QDialog(parent), m_dictionary(dictionary)
{
    setObjectName(QStringLiteral("frmPackage"));
    setWindowTitle(QStringLiteral("Package"));
    buildControls();

    fillVendors();
    updateButtons();
    m_attribute->setFocus(); // the usual start: an attribute by name
    showStaleDictionary();
    connect(&radius::DictionaryEvents::instance(), &radius::DictionaryEvents::reloaded, this,
            &TfrmPackage::dictionaryReloaded);
    connect(&radius::DictionaryEvents::instance(), &radius::DictionaryEvents::reloadRefused, this,
            &TfrmPackage::showStaleDictionary);
}

QString TfrmPackage::staleDictionaryText()
{
    return platform::Language::text("Messages", "RestartForDictionaries",
                                    "Restart Pellion to use the changed dictionaries.");
}

void TfrmPackage::showStaleDictionary()
{
    m_staleDictionary->setText(staleDictionaryText());
    m_staleDictionary->setVisible(radius::Dictionary::isStale());
}

// The lists again from the catalog, which its owner has read anew; the filters stay.
void TfrmPackage::dictionaryReloaded()
{
    const QString typed = m_attribute->currentText();
    fillVendors();
    m_attribute->setEditText(typed);
    showStaleDictionary();
}

TfrmPackage::~TfrmPackage() = default;

void TfrmPackage::buildControls()
{
    m_packetName = label("lblPackageID", QString());
    m_packetName->setVisible(false);
    m_staleDictionary = label("lblStaleDictionary", QString());
    m_staleDictionary->setWordWrap(true);
    m_staleDictionary->setStyleSheet(QStringLiteral("color: #b00020"));
    m_vendorFilter = new QLineEdit;
    m_vendorFilter->setObjectName(QStringLiteral("edtVendorFilter"));
    m_vendorFilter->setClearButtonEnabled(true);
    m_attributeFilter = new QLineEdit;
    m_attributeFilter->setObjectName(QStringLiteral("edtAttrFilter"));
    m_attributeFilter->setClearButtonEnabled(true);
    m_attributeType = label("lblAttrType", QString());
    m_attributeType->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("long-extended")));
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
    fitColumns(m_rows);

    m_add = button("spbtnAdd", "&Add");
    m_remove = button("spbtnRemove", "&Remove");
    m_clear = button("spbtnClear", "&Clear");
    m_ok = button("spbtnOK", "OK");
    m_cancel = button("spbtnCancel", "Cancel");
    // No button is pressed by Enter: Enter moves from the attribute to the value, and
    // adds the row from the value.
    for (QPushButton *b : {m_add, m_remove, m_clear, m_ok, m_cancel})
        b->setAutoDefault(false);

    auto *pick = new QGridLayout;
    pick->addWidget(m_vendorFilter, 0, 1);
    pick->addWidget(label("lblVendor", QStringLiteral("Vendor:")), 1, 0);
    pick->addWidget(m_vendor, 1, 1);
    pick->addWidget(m_attributeFilter, 2, 1);
    pick->addWidget(label("lblAttr", QStringLiteral("Attribute:")), 3, 0);
    pick->addWidget(m_attribute, 3, 1);
    pick->addWidget(label("lblValue", QStringLiteral("Value:")), 4, 0);
    pick->addWidget(m_value, 4, 1);
    auto *type = new QHBoxLayout;
    type->addWidget(label("lblAttrTypeCaption", QStringLiteral("Type:")));
    type->addWidget(m_attributeType);
    pick->addLayout(type, 4, 2);
    pick->setColumnStretch(1, 1);
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
    layout->addWidget(m_staleDictionary);
    layout->addLayout(pick);
    layout->addWidget(label(
        "lblSpecial1", QStringLiteral("To enter special chars(eg:#{};'()=<>),Please use a backslash (\\)  to remove")));
    layout->addWidget(
        label("lblSpecial2", QStringLiteral(" the special meaning. eg: enter abc\\#123 instead of abc#123")));
    layout->addLayout(rowButtons);
    layout->addWidget(m_rows);
    layout->addLayout(closeButtons);

    connect(m_vendorFilter, &QLineEdit::textChanged, this, &TfrmPackage::fillVendors);
    connect(m_attributeFilter, &QLineEdit::textChanged, this, &TfrmPackage::fillAttributes);
    connect(m_vendor, &QComboBox::currentIndexChanged, this, &TfrmPackage::vendorChosen);
    connect(m_attribute, &QComboBox::activated, this, &TfrmPackage::attributeChosen);
    connect(m_attribute, &QComboBox::editTextChanged, this, &TfrmPackage::showAttributeType);
    connect(m_attribute->lineEdit(), &QLineEdit::returnPressed, m_value, qOverload<>(&QWidget::setFocus));
    connect(m_value->lineEdit(), &QLineEdit::returnPressed, this, &TfrmPackage::spbtnAddClick);
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
    fitColumns(m_rows);
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
    if (!m_shown) {
        m_shown = true;
        m_shownState = editState();
        growToContents(this);
        platform::WindowState(QStringLiteral("PacketEditor")).restore(*this);
    }
    QDialog::showEvent(event);
}

void TfrmPackage::applyLanguage()
{
    const platform::LanguageFile file = platform::Language::currentFile();
    platform::Language::apply(this, kTexts, file);
    applyHeadings(this, kHeadings, file);
    m_vendorFilter->setPlaceholderText(packageText("edtVendorFilter.Placeholder", "Search vendors"));
    m_attributeFilter->setPlaceholderText(packageText("edtAttrFilter.Placeholder", "Search attributes"));
}

QStringList TfrmPackage::editState() const
{
    QStringList state{m_attribute->currentText(), m_value->currentText()};
    for (const AttributeRow &row : rows())
        state << row.attribute << row.value << row.id;
    return state;
}

// However the dialog ends, its size and place are kept for the next one.
void TfrmPackage::done(int result)
{
    platform::WindowState(QStringLiteral("PacketEditor")).save(*this);
    QDialog::done(result);
}

void TfrmPackage::reject()
{
    if (m_shown && editState() != m_shownState && !platform::confirmDiscard())
        return;
    QDialog::reject();
}

void TfrmPackage::fillVendors()
{
    QStringList names{packageText("cboVendor.General", "General")};
    if (m_dictionary)
        for (const radius::BrowseVendor &vendor : m_dictionary->vendors())
            names.append(vendor.name);
    const QSignalBlocker block(m_vendor);
    m_vendor->clear();
    const QString filter = m_vendorFilter->text();
    for (int i = 0; i < names.size(); ++i) {
        if (!names.at(i).contains(filter.trimmed(), Qt::CaseInsensitive))
            continue;
        m_vendor->addItem(names.at(i));
        m_vendor->setItemData(m_vendor->count() - 1, i == 0, kGeneralRole);
    }
    m_vendor->setCurrentIndex(m_vendor->count() > 0 ? 0 : -1);
    vendorChosen();
}

void TfrmPackage::vendorChosen()
{
    m_vendorAttributes.clear();
    m_value->clear();
    m_value->clearEditText();
    if (m_dictionary && m_vendor->currentIndex() >= 0) {
        std::optional<quint32> vendor = 0;
        if (!m_vendor->currentData(kGeneralRole).toBool())
            vendor = m_dictionary->vendorNumber(m_vendor->currentText());
        if (vendor)
            m_vendorAttributes = m_dictionary->attributesOf(*vendor);
    }
    fillAttributes();
    m_attribute->clearEditText();
}

void TfrmPackage::fillAttributes()
{
    // A filter narrows the list; what is typed in the field stays.
    const QString typed = m_attribute->currentText();
    const QSignalBlocker blockAttributes(m_attribute);
    m_attribute->clear();
    m_attributes.clear();
    const QString filter = m_attributeFilter->text().trimmed();
    for (const radius::BrowseAttribute &attribute : std::as_const(m_vendorAttributes)) {
        if (!attribute.name.contains(filter, Qt::CaseInsensitive))
            continue;
        m_attributes.append(attribute);
        m_attribute->addItem(attribute.name);
    }
    m_attribute->setCurrentIndex(-1);
    m_attribute->setEditText(typed);
}

void TfrmPackage::showAttributeType()
{
    const std::optional<radius::AttributeInfo> info =
        radius::AttributeValueCheck::attribute(m_attribute->currentText());
    m_attributeType->setText(info ? radius::AttributeValueCheck::typeName(info->type) : QString());
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
        dialogs.inform(packageText("AttributeEmpty", "Attribute is empty!"));
        return;
    }
    if (value.isEmpty()) {
        dialogs.inform(packageText("ValueEmpty", "Value is empty!"));
        return;
    }
    const radius::ValueVerdict verdict =
        radius::AttributeValueCheck::check(attribute, PairLineFormatter::writtenValue(value).octets);
    if (!verdict.accepted()) {
        dialogs.inform(refusalText(attribute, verdict));
        return;
    }
    QSet<QString> used;
    for (const AttributeRow &row : rows())
        used.insert(row.id);
    auto *item = new QTreeWidgetItem(m_rows, {attribute, value, PacketTable::drawUniqueKey(used)});
    m_rows->setCurrentItem(item);
    fitColumns(m_rows);
    m_attribute->clearEditText();
    m_value->clearEditText();
    m_attribute->setFocus();
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
    if (!platform::DialogService::instance().askOkCancel(
            packageText("ConfirmClear", "Do you really want to clear all attributes of this packet?")))
        return;
    m_rows->clear();
    updateButtons();
}

void TfrmPackage::spbtnOKClick()
{
    if (m_rows->topLevelItemCount() == 0) {
        platform::DialogService::instance().inform(
            packageText("NoAttribute", "No a attrbute! Please add a attribute at least"));
        return;
    }
    accept();
}

} // namespace taskdef
