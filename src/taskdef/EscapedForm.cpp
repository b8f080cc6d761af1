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
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        // The writer trims blanks off the ends; escaped ones survive it.
        const bool edgeBlank = c == QLatin1Char(' ') && (i == 0 || i == value.size() - 1);
        if (isSpecial(c) || edgeBlank)
            out.append(QLatin1Char('\\'));
        out.append(c);
    }
    return out;
}

} // namespace taskdef
