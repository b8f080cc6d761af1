#include "taskdef/EditorDialogs.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace taskdef {

void fitColumns(QTreeWidget *list, int maxWidth)
{
    list->header()->setStretchLastSection(true);
    int last = -1;
    for (int column = 0; column < list->columnCount(); ++column)
        if (!list->isColumnHidden(column))
            last = column;
    for (int column = 0; column < last; ++column) {
        if (list->isColumnHidden(column))
            continue;
        list->resizeColumnToContents(column);
        if (list->columnWidth(column) > maxWidth)
            list->setColumnWidth(column, maxWidth);
    }
}

void growToContents(QWidget *window)
{
    window->resize(window->size().expandedTo(window->sizeHint()));
}

} // namespace taskdef
