#include "taskdef/ExpectationPage.h"

#include "platform/DialogService.h"
#include "platform/Language.h"
#include "platform/NamedControl.h"
#include "radius/DictionaryCatalog.h"
#include "taskdef/EditorDialogs.h"
#include "taskdef/ExpectationRules.h"
#include "taskdef/FormTexts.h"
#include "taskdef/TypedListText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <utility>

using platform::named;
using platform::namedLabel;
using taskstore::AttributeCheck;
using taskstore::CheckOperator;
using taskstore::PacketExpectation;

namespace taskdef {

namespace {
const platform::TextEntry kTexts[] = {
    {"frmTask", "lblExpPacket.Caption", "Packet:"},
    {"frmTask", "lblExpReply.Caption", "Expected reply:"},
    {"frmTask", "lblExpTimeLimit.Caption", "Response-time limit (ms):"},
    {"frmTask", "lblExpChecks.Caption", "Checks on the reply's attributes"},
    {"frmTask", "lblExpAttr.Caption", "Attribute:"},
    {"frmTask", "lblExpCheck.Caption", "Check:"},
    {"frmTask", "lblExpValue.Caption", "Value:"},
    {"frmTask", "spbtnExpAdd.Caption", "Add Check"},
    {"frmTask", "spbtnExpRemove.Caption", "Remove Check"},
};
const HeadingEntry kHeadings[] = {
    {"frmTask", "lvwExpChecks.Column1.Caption", "Attribute", "lvwExpChecks", 0},
    {"frmTask", "lvwExpChecks.Column2.Caption", "Check", "lvwExpChecks", 1},
    {"frmTask", "lvwExpChecks.Column3.Caption", "Value", "lvwExpChecks", 2},
};
struct KindText {
    CheckOperator op;
    const char *key;
    const char *builtIn;
};
constexpr std::array<KindText, 5> kKinds{{
    {CheckOperator::Present, "cboExpCheck.Present", "present"},
    {CheckOperator::Absent, "cboExpCheck.Absent", "absent"},
    {CheckOperator::Equals, "cboExpCheck.Equals", "equals"},
    {CheckOperator::Contains, "cboExpCheck.Contains", "contains"},
    {CheckOperator::Matches, "cboExpCheck.Matches", "matches"},
}};
enum { kCheckAttribute, kCheckKind, kCheckValue };
constexpr int kOperatorRole = Qt::UserRole + 1;
constexpr int kAnyReply = -1;
constexpr int kLongestLimitMs = 3'600'000;

QString text(const platform::LanguageFile &file, const char *key, const char *builtIn)
{
    return file.text(QStringLiteral("frmTask"), QString::fromLatin1(key), QString::fromLatin1(builtIn));
}

// Every attribute the dictionary knows, the standard ones first, then each vendor's.
QStringList dictionaryAttributes(const radius::DictionaryCatalog *dictionary)
{
    QStringList names;
    if (!dictionary)
        return names;
    for (const radius::BrowseAttribute &attribute : dictionary->attributesOf(0))
        names << attribute.name;
    for (const radius::BrowseVendor &vendor : dictionary->vendors())
        for (const radius::BrowseAttribute &attribute : dictionary->attributesOf(vendor.number))
            names << attribute.name;
    return names;
}
} // namespace

ExpectationPage::ExpectationPage(const radius::DictionaryCatalog *dictionary, QWidget *parent)
    : QWidget(parent), m_allAttributes(dictionaryAttributes(dictionary))
{
    setObjectName(QStringLiteral("TabSheetExpectation"));
    buildControls();
    applyLanguage(platform::LanguageFile());
    fillAttributes();
    updateControls();
}

void ExpectationPage::buildControls()
{
    m_packet = named(new QComboBox, "cboExpPacket");
    m_reply = named(new QComboBox, "cboExpReply");
    m_timeLimit = named(new QSpinBox, "spnExpTimeLimit");
    m_timeLimit->setRange(0, kLongestLimitMs);
    m_timeLimit->setAccelerated(true);
    m_attributeFilter = named(new QLineEdit, "edtExpAttrFilter");
    m_attributeFilter->setClearButtonEnabled(true);
    m_attribute = named(new QComboBox, "cboExpAttr");
    makeTypedList(m_attribute);
    m_attribute->setMaxVisibleItems(20);
    m_kind = named(new QComboBox, "cboExpCheck");
    m_value = named(new QLineEdit, "edtExpValue");
    m_addCheck = named(new QPushButton(QStringLiteral("Add Check")), "spbtnExpAdd");
    m_removeCheck = named(new QPushButton(QStringLiteral("Remove Check")), "spbtnExpRemove");
    for (QPushButton *button : {m_addCheck, m_removeCheck})
        button->setAutoDefault(false); // Enter in a field must not save the task
    m_checks = named(new QTreeWidget, "lvwExpChecks");
    m_checks->setColumnCount(3);
    m_checks->setHeaderLabels({QStringLiteral("Attribute"), QStringLiteral("Check"), QStringLiteral("Value")});
    m_checks->setRootIsDecorated(false);

    auto *packet = new QGridLayout;
    packet->addWidget(namedLabel("lblExpPacket", "Packet:"), 0, 0);
    packet->addWidget(m_packet, 0, 1);
    packet->addWidget(namedLabel("lblExpReply", "Expected reply:"), 1, 0);
    packet->addWidget(m_reply, 1, 1);
    packet->addWidget(namedLabel("lblExpTimeLimit", "Response-time limit (ms):"), 2, 0);
    packet->addWidget(m_timeLimit, 2, 1);
    packet->setColumnStretch(1, 1);

    auto *pick = new QGridLayout;
    pick->addWidget(m_attributeFilter, 0, 1);
    pick->addWidget(namedLabel("lblExpAttr", "Attribute:"), 1, 0);
    pick->addWidget(m_attribute, 1, 1);
    pick->addWidget(namedLabel("lblExpCheck", "Check:"), 1, 2);
    pick->addWidget(m_kind, 1, 3);
    pick->addWidget(namedLabel("lblExpValue", "Value:"), 2, 0);
    pick->addWidget(m_value, 2, 1, 1, 3);
    pick->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_addCheck);
    buttons->addWidget(m_removeCheck);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(packet);
    layout->addWidget(namedLabel("lblExpChecks", "Checks on the reply's attributes"));
    layout->addLayout(pick);
    layout->addLayout(buttons);
    layout->addWidget(m_checks);

    connect(m_packet, &QComboBox::currentIndexChanged, this, &ExpectationPage::showPacket);
    connect(m_reply, &QComboBox::currentIndexChanged, this, &ExpectationPage::keepShown);
    connect(m_timeLimit, &QSpinBox::valueChanged, this, &ExpectationPage::keepShown);
    connect(m_attributeFilter, &QLineEdit::textChanged, this, &ExpectationPage::fillAttributes);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &ExpectationPage::updateControls);
    connect(m_checks, &QTreeWidget::itemSelectionChanged, this, &ExpectationPage::updateControls);
    connect(m_value, &QLineEdit::returnPressed, this, &ExpectationPage::btnAddCheckClick);
    connect(m_attribute->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { (m_value->isEnabled() ? static_cast<QWidget *>(m_value) : m_addCheck)->setFocus(); });
    connect(m_addCheck, &QPushButton::clicked, this, &ExpectationPage::btnAddCheckClick);
    connect(m_removeCheck, &QPushButton::clicked, this, &ExpectationPage::btnRemoveCheckClick);
}

void ExpectationPage::applyLanguage(const platform::LanguageFile &file)
{
    m_language = file;
    platform::Language::apply(this, kTexts, file);
    applyHeadings(this, kHeadings, file);
    m_attributeFilter->setPlaceholderText(text(file, "edtExpAttrFilter.Placeholder", "Search attributes"));
    m_timeLimit->setSpecialValueText(text(file, "spnExpTimeLimit.None", "no limit"));

    const bool wasShowing = std::exchange(m_showing, true);
    const int reply = m_reply->currentIndex();
    m_reply->clear();
    m_reply->addItem(text(file, "cboExpReply.Any", "any"), kAnyReply);
    for (int code : taskstore::replycode::expectable())
        m_reply->addItem(code == taskstore::replycode::kNoReply ? text(file, "cboExpReply.NoReply", "no reply")
                                                                : taskstore::replycode::name(code),
                         code);
    m_reply->setCurrentIndex(std::max(reply, 0));
    const int kind = m_kind->currentIndex();
    m_kind->clear();
    for (const KindText &entry : kKinds)
        m_kind->addItem(text(file, entry.key, entry.builtIn), int(entry.op));
    m_kind->setCurrentIndex(std::max(kind, 0));
    for (int i = 0; i < m_checks->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_checks->topLevelItem(i);
        item->setText(kCheckKind, checkKindText(CheckOperator(item->data(kCheckKind, kOperatorRole).toInt())));
    }
    m_showing = wasShowing;
}

QString ExpectationPage::checkKindText(CheckOperator op) const
{
    for (const KindText &entry : kKinds)
        if (entry.op == op)
            return text(m_language, entry.key, entry.builtIn);
    return {};
}

void ExpectationPage::fillAttributes()
{
    // A filter narrows the list; what is typed in the field stays.
    const QString typed = m_attribute->currentText();
    const QString filter = m_attributeFilter->text().trimmed();
    const QSignalBlocker block(m_attribute);
    m_attribute->clear();
    for (const QString &name : std::as_const(m_allAttributes))
        if (name.contains(filter, Qt::CaseInsensitive))
            m_attribute->addItem(name);
    m_attribute->setCurrentIndex(-1);
    m_attribute->setEditText(typed);
}

void ExpectationPage::setPackets(const QStringList &packets)
{
    m_expectations.keepOnly(packets);
    QStringList shown;
    for (int i = 0; i < m_packet->count(); ++i)
        shown << m_packet->itemText(i);
    if (shown == packets)
        return;
    const QString current = m_packet->currentText();
    {
        const QSignalBlocker block(m_packet);
        m_packet->clear();
        m_packet->addItems(packets);
        m_packet->setCurrentIndex(std::max(0, int(packets.indexOf(current))));
    }
    showPacket();
}

void ExpectationPage::load(const QList<PacketExpectation> &stored)
{
    m_expectations.load(stored);
    QStringList packets;
    for (int i = 0; i < m_packet->count(); ++i)
        packets << m_packet->itemText(i);
    m_expectations.keepOnly(packets);
    showPacket();
}

void ExpectationPage::showPacket()
{
    m_shownPacket = m_packet->currentText();
    const PacketExpectation expectation = m_expectations.of(m_shownPacket);
    const bool wasShowing = std::exchange(m_showing, true);
    m_reply->setCurrentIndex(std::max(0, m_reply->findData(expectation.replyCode.value_or(kAnyReply))));
    m_timeLimit->setValue(expectation.timeLimitMs.value_or(0));
    m_checks->clear();
    for (const AttributeCheck &check : expectation.checks)
        appendCheckRow(check);
    fitColumns(m_checks);
    m_showing = wasShowing;
    updateControls();
}

// The shown packet's expectations, as the controls now say.
void ExpectationPage::keepShown()
{
    if (m_showing || m_shownPacket.isEmpty())
        return;
    PacketExpectation expectation;
    const int reply = m_reply->currentData().toInt();
    if (reply != kAnyReply)
        expectation.replyCode = reply;
    if (m_timeLimit->value() > 0)
        expectation.timeLimitMs = m_timeLimit->value();
    for (int i = 0; i < m_checks->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_checks->topLevelItem(i);
        expectation.checks.append({item->text(kCheckAttribute),
                                   CheckOperator(item->data(kCheckKind, kOperatorRole).toInt()),
                                   item->text(kCheckValue)});
    }
    m_expectations.set(m_shownPacket, expectation);
}

void ExpectationPage::updateControls()
{
    const bool packet = m_packet->count() > 0;
    for (QWidget *control : std::initializer_list<QWidget *>{m_packet, m_reply, m_timeLimit, m_attributeFilter,
                                                             m_attribute, m_kind, m_addCheck, m_checks})
        control->setEnabled(packet);
    m_value->setEnabled(packet && taskstore::checkTakesValue(CheckOperator(m_kind->currentData().toInt())));
    m_removeCheck->setEnabled(packet && !m_checks->selectedItems().isEmpty());
}

void ExpectationPage::appendCheckRow(const AttributeCheck &check)
{
    auto *item = new QTreeWidgetItem(m_checks, {check.attribute, checkKindText(check.op), check.value});
    item->setData(kCheckKind, kOperatorRole, int(check.op));
}

void ExpectationPage::btnAddCheckClick()
{
    auto &dialogs = platform::DialogService::instance();
    const QString attribute = m_attribute->currentText().trimmed();
    const auto op = CheckOperator(m_kind->currentData().toInt());
    const QString value = taskstore::checkTakesValue(op) ? m_value->text() : QString();
    if (attribute.isEmpty()) {
        dialogs.inform(text(m_language, "Expectation.AttributeEmpty", "Attribute is empty!"));
        return;
    }
    if (taskstore::checkTakesValue(op) && value.isEmpty()) {
        dialogs.inform(text(m_language, "Expectation.ValueEmpty", "Value is empty!"));
        return;
    }
    appendCheckRow({attribute, op, value});
    fitColumns(m_checks);
    keepShown();
    m_attribute->clearEditText();
    m_value->clear();
    m_attribute->setFocus();
    updateControls();
}

void ExpectationPage::btnRemoveCheckClick()
{
    qDeleteAll(m_checks->selectedItems());
    keepShown();
    updateControls();
}

std::optional<ExpectationPage::Problem> ExpectationPage::firstProblem() const
{
    const QMap<QString, PacketExpectation> all = m_expectations.all();
    for (int i = 0; i < m_packet->count(); ++i) {
        const QString packet = m_packet->itemText(i);
        if (std::optional<QString> message = expectationProblem(packet, all.value(packet)))
            return Problem{packet, *message};
    }
    return std::nullopt;
}

void ExpectationPage::choosePacket(const QString &packet)
{
    const int index = m_packet->findText(packet);
    if (index >= 0)
        m_packet->setCurrentIndex(index);
}

} // namespace taskdef
