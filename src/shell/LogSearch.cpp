#include "shell/LogSearch.h"

namespace shell {

std::optional<qsizetype> findNextInLog(const QString &text, qsizetype selectionStart,
                                       qsizetype selectionLength, const QString &searchText)
{
    if (searchText.isEmpty())
        return std::nullopt;
    const qsizetype from = selectionLength > 0 ? selectionStart + selectionLength : 0;
    const qsizetype found = text.indexOf(searchText, from, Qt::CaseSensitive);
    if (found < 0)
        return std::nullopt;
    return found;
}

} // namespace shell
