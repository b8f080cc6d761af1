#include "taskdef/EscapedForm.h"

namespace taskdef {

bool EscapedForm::isSpecial(QChar c)
{
    static const QString special = QStringLiteral("{}(),;#=><\\\"'`");
    return special.contains(c);
}

QString EscapedForm::fromValue(const QString &value)
{
    QString out;
    out.reserve(value.size() + 8);
    for (const QChar c : value) {
        if (isSpecial(c))
            out.append(QLatin1Char('\\'));
        out.append(c);
    }
    return out;
}

} // namespace taskdef
