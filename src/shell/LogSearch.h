#pragma once

#include <QString>

#include <optional>

namespace shell {

// The log pane's "find next": a plain, case-exact search from the end of the current
// selection (or from the start when nothing is selected) to the end of the text.
// Returns the position of the match, or nothing.
std::optional<qsizetype> findNextInLog(const QString &text, qsizetype selectionStart,
                                       qsizetype selectionLength, const QString &searchText);

} // namespace shell
