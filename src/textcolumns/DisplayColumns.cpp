#include "textcolumns/DisplayColumns.h"

#include <algorithm>

namespace textcolumns {

namespace {

bool isWide(char32_t u)
{
    return (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) || (u >= 0xAC00 && u <= 0xD7A3)
        || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60)
        || (u >= 0xFFE0 && u <= 0xFFE6) || (u >= 0x20000 && u <= 0x3FFFD);
}

int columnsOfCharacter(char32_t u)
{
    switch (QChar::category(u)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format: return 0;
    default: return isWide(u) ? 2 : 1;
    }
}

} // namespace

qsizetype columnsOf(const QString &text)
{
    qsizetype columns = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t u = text.at(i).unicode();
        // A character beyond the first plane comes as two halves.
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            u = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        columns += columnsOfCharacter(u);
    }
    return columns;
}

QString padToColumns(const QString &text, qsizetype columns)
{
    return text + QString(std::max<qsizetype>(0, columns - columnsOf(text)), QLatin1Char(' '));
}

} // namespace textcolumns
