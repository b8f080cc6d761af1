#include "textcolumns/ColumnFont.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace textcolumns {

namespace {

bool keepsColumns(const QFont &font)
{
    const QFontMetricsF metrics(font);
    const qreal narrow = metrics.horizontalAdvance(QLatin1Char('M'));
    const auto near = [](qreal a, qreal b) { return std::abs(a - b) < 0.01; };
    return narrow > 0 && near(metrics.horizontalAdvance(QLatin1Char('i')), narrow)
        && near(metrics.horizontalAdvance(QStringLiteral(u"中")), 2 * narrow)
        && near(metrics.horizontalAdvance(QStringLiteral(u"：")), 2 * narrow);
}

QFont sameSize(const QString &family, const QFont &model)
{
    QFont font(family);
    if (model.pixelSize() > 0)
        font.setPixelSize(model.pixelSize());
    else
        font.setPointSizeF(model.pointSizeF());
    return font;
}

// The family of the first font that keeps the columns, Simplified Chinese ones first;
// empty when the system's fixed font keeps them or none does.
QString chooseFamily()
{
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (keepsColumns(fixed))
        return {};
    QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    std::stable_partition(families.begin(), families.end(),
                          [](const QString &family) { return family.endsWith(QLatin1String(" SC")); });
    for (const QString &family : std::as_const(families))
        if (keepsColumns(sameSize(family, fixed)))
            return family;
    return {};
}

} // namespace

QFont columnFont()
{
    static const QString family = chooseFamily();
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    return family.isEmpty() ? fixed : sameSize(family, fixed);
}

} // namespace textcolumns
