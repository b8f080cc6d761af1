#include "taskdef/EscapedForm.h"

#include "taskdef/OctetText.h"

namespace taskdef {

bool EscapedForm::isSpecial(QChar c)
{
    static const QString special = QStringLiteral("{}(),;#=><\\\"'`");
    return special.contains(c);
}

QString EscapedForm::fromOctets(QByteArrayView value)
{
    QByteArray out;
    out.reserve(value.size() + 8);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value[i];
        // The writer trims blanks off the ends; escaped ones survive it.
        const bool edgeBlank = c == ' ' && (i == 0 || i == value.size() - 1);
        if (edgeBlank || (static_cast<unsigned char>(c) < 0x80 && isSpecial(QLatin1Char(c))))
            out.append('\\');
        out.append(c);
    }
    return OctetText::toText(out);
}

QString EscapedForm::trimBlanks(const QString &value)
{
    qsizetype b = 0;
    qsizetype e = value.size();
    while (b < e && value[b] == QLatin1Char(' '))
        ++b;
    while (e > b && value[e - 1] == QLatin1Char(' ')) {
        // A blank after an odd run of backslashes is escaped and belongs to the value.
        qsizetype slashes = 0;
        while (e - 2 - slashes >= b && value[e - 2 - slashes] == QLatin1Char('\\'))
            ++slashes;
        if (slashes % 2)
            break;
        --e;
    }
    return value.mid(b, e - b);
}

} // namespace taskdef
