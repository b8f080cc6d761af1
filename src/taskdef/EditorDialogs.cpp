#include "taskdef/EditorDialogs.h"

#include "platform/DialogService.h"
#include "platform/Language.h"

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

bool confirmDiscard()
{
    return platform::DialogService::instance().askYesNo(
        platform::Language::text("Dialog_Common", "DiscardChanges", "Discard your changes?"));
}

} // namespace taskdef
