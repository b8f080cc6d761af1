#include "shell/FindDialog.h"

#include "platform/Language.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

FindDialog::FindDialog(QWidget *parent) : QDialog(parent), m_text(new QLineEdit(this))
{
    setObjectName(QStringLiteral("FindDlg"));
    auto text = [](const char *key, const char *builtIn) { return platform::Language::text("FindDlg", key, builtIn); };
    setWindowTitle(text("Title", "Find"));
    setModal(false);
    m_text->setObjectName(QStringLiteral("edtFindText"));
    m_text->setMinimumWidth(240);
    auto *next = new QPushButton(text("btnFindNext.Caption", "Find Next"), this);
    next->setObjectName(QStringLiteral("btnFindNext"));
    next->setDefault(true);
    auto *cancel = new QPushButton(platform::Language::text("Dialog_Common", "btnCancel.Caption", "Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnFindCancel"));
    connect(next, &QPushButton::clicked, this, [this] { Q_EMIT findNext(m_text->text()); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(text("lblFindWhat.Caption", "Find what:"), this));
    row->addWidget(m_text, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(next);
    buttons->addWidget(cancel);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addLayout(buttons);
}

QString FindDialog::searchText() const
{
    return m_text->text();
}

void FindDialog::setSearchText(const QString &text)
{
    m_text->setText(text);
}

} // namespace shell
