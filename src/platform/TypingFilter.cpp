#include "platform/TypingFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace platform {

TypingFilter::TypingFilter(const QString &accepted, QObject *parent) : QObject(parent), m_accepted(accepted)
{
}

void TypingFilter::install(QWidget *widget, const QString &accepted)
{
    auto *filter = new TypingFilter(accepted, widget);
    widget->installEventFilter(filter);
    // Spin boxes and editable combo boxes receive the keys in their inner line edit.
    for (QLineEdit *edit : widget->findChildren<QLineEdit *>())
        edit->installEventFilter(filter);
}

bool TypingFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        if (key->key() == Qt::Key_Backspace)
            return true;
        for (const QChar c : text)
            if (c.isPrint() && !m_accepted.contains(c))
                return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
