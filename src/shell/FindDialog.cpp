#include "shell/FindDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

FindDialog::FindDialog(QWidget *parent) : QDialog(parent), m_text(new QLineEdit(this))
{
    setObjectName(QStringLiteral("FindDlg"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);
    m_text->setObjectName(QStringLiteral("edtFindText"));
    m_text->setMinimumWidth(240);
    auto *next = new QPushButton(QStringLiteral("Find Next"), this);
    next->setObjectName(QStringLiteral("btnFindNext"));
    next->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnFindCancel"));
    connect(next, &QPushButton::clicked, this, [this] { Q_EMIT findNext(m_text->text()); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Find what:"), this));
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
