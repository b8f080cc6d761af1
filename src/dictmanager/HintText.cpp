#include "dictmanager/HintText.h"

namespace dictmanager {

QString HintText::longPart(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

} // namespace dictmanager
