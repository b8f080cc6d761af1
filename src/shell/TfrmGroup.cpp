#include "shell/TfrmGroup.h"

#include "platform/DialogService.h"
#include "platform/Language.h"
#include "shell/ShellTexts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace shell {

TfrmGroup::TfrmGroup(Mode mode, const QString &groupKey, const QString &name, AcceptStep accept, QWidget *parent)
    : QDialog(parent), m_mode(mode), m_groupKey(groupKey), m_accept(std::move(accept)),
      m_label(new QLabel(QStringLiteral("Group Name"), this)), m_name(new QLineEdit(this))
{
    setObjectName(QStringLiteral("frmGroup"));
    setWindowTitle(QStringLiteral("Task Group Property"));
    m_label->setObjectName(QStringLiteral("lblGroupName"));
    m_name->setObjectName(QStringLiteral("edtName"));
    m_name->setMaxLength(30);
    m_name->setText(mode == Mode::Add ? platform::Language::text("frmGroup", "DefaultName", "New Group") : name);
    m_name->selectAll();
    m_name->setMinimumWidth(220);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("spbtnOK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("spbtnCancel"));
    connect(ok, &QPushButton::clicked, this, &TfrmGroup::spbtnOKClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_label, 0, 0);
    layout->addWidget(m_name, 0, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TfrmGroup::name() const
{
    return m_name->text();
}

void TfrmGroup::showEvent(QShowEvent *event)
{
    platform::Language::apply(this, texts::groupDialog());
    QDialog::showEvent(event);
}

void TfrmGroup::spbtnOKClick()
{
    if (m_name->text().isEmpty()) {
        platform::DialogService::instance().inform(
            platform::Language::text("frmGroup", "NameEmpty", "Group name is empty"));
        return;
    }
    if (!m_accept || m_accept(m_name->text()))
        accept();
    else
        reject(); // the step has told the user why; the command ends there
}

} // namespace shell
