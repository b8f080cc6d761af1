#include "platform/DigitKeyFilter.h"

#include "platform/TypingFilter.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace platform {

void DigitKeyFilter::install(QLineEdit *edit)
{
    TypingFilter::install(edit, TypingFilter::digits());
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
}

} // namespace platform
