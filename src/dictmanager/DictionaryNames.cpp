#include "dictmanager/DictionaryNames.h"

namespace dictmanager {

bool DictionaryNames::isWord(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c.isSpace() || c == QLatin1Char('#') || !c.isPrint())
            return false;
    }
    return true;
}

bool DictionaryNames::isVendorName(const QString &name)
{
    return isWord(name) && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && !name.contains(QLatin1String(".."));
}

QString DictionaryNames::vendorNameRule()
{
    return QStringLiteral("A vendor name may not contain blanks, control characters, \"#\", \"/\", \"\\\" or \"..\".");
}

} // namespace dictmanager
