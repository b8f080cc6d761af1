#pragma once

#include <QString>

namespace platform {

// A hint is "short | long"; the status bar shows its long part, or the whole hint when it
// has no "|".
inline QString longHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

// The tool tip: the short part, or the whole hint when it has no "|".
inline QString shortHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return (bar < 0 ? hint : hint.left(bar)).trimmed();
}

} // namespace platform
