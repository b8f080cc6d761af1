#include "dictmanager/DigitKeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace dictmanager {

DigitKeyFilter::DigitKeyFilter(QObject *parent)
    : QObject(parent)
{
}

void DigitKeyFilter::install(QLineEdit *edit)
{
    edit->installEventFilter(new DigitKeyFilter(edit));
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
}

bool DigitKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Backspace)
            return true;
        const QString text = key->text();
        // Enter, Escape, Tab and shortcuts carry control characters: they pass.
        if (!text.isEmpty() && text.at(0).isPrint() && !(text.size() == 1 && text.at(0).isDigit()))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dictmanager
