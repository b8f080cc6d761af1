#pragma once

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QIcon>
#include <QStringList>
#include <QStyle>

namespace testsupport {

// The width a heading needs to show whole, measured apart from the header's own hint as
// the style lays a heading out: a margin, the icon and a margin when there is one, the
// text in the header's font, a margin.
inline int headingWidthNeeded(const QHeaderView &header, int logical)
{
    const QAbstractItemModel *model = header.model();
    const QString text = model->headerData(logical, header.orientation()).toString();
    const QIcon icon = model->headerData(logical, header.orientation(), Qt::DecorationRole).value<QIcon>();
    const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    const int iconWidth =
        icon.isNull() ? 0 : margin + header.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &header);
    return margin + iconWidth + header.fontMetrics().horizontalAdvance(text) + margin;
}

// The visible headings narrower than their text needs, each with both widths, leaving out
// the last one, which stretches over what the window leaves it.
inline QStringList cutHeadings(const QHeaderView &header)
{
    int last = -1;
    for (int visual = header.count() - 1; visual >= 0 && last < 0; --visual)
        if (!header.isSectionHidden(header.logicalIndex(visual)))
            last = header.logicalIndex(visual);
    QStringList cut;
    for (int logical = 0; logical < header.count(); ++logical) {
        if (logical == last || header.isSectionHidden(logical))
            continue;
        const int needed = headingWidthNeeded(header, logical);
        if (header.sectionSize(logical) < needed)
            cut << QStringLiteral("\"%1\" %2 < %3")
                       .arg(header.model()->headerData(logical, header.orientation()).toString())
                       .arg(header.sectionSize(logical))
                       .arg(needed);
    }
    return cut;
}

} // namespace testsupport
