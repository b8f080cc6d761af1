#include "shell/TaskListColumns.h"

#include "shell/TaskListView.h"

#include <QHeaderView>
#include <QTreeView>

#include <algorithm>
#include <array>

namespace shell {

void fitTaskListColumns(TaskListView &list)
{
    QTreeView *report = list.reportView();
    QHeaderView *header = report->header();
    header->setStretchLastSection(true);
    // Name, last run and next run; the server address column stretches.
    constexpr int kFitted = 3;
    std::array<int, kFitted> longestRow{};
    std::array<qsizetype, kFitted> longest{};
    for (int row = 0; row < list.rowCount(); ++row) {
        const TaskRow task = list.row(row);
        const std::array<qsizetype, kFitted> lengths{task.taskName.size(), task.lastRunTime.size(),
                                                     task.nextRunTime.size()};
        for (int column = 0; column < kFitted; ++column)
            if (lengths[column] > longest[column]) {
                longest[column] = lengths[column];
                longestRow[column] = row;
            }
    }
    // Before the window is laid out the list is narrow: forty characters are always allowed.
    const int limit = std::max(list.fontMetrics().averageCharWidth() * 40, list.width() / 2);
    for (int column = 0; column < kFitted; ++column) {
        int width = header->sectionSizeHint(column);
        if (list.rowCount() > 0)
            width =
                std::max(width, report->sizeHintForIndex(report->model()->index(longestRow[column], column)).width());
        header->resizeSection(column, std::min(width, limit));
    }
}

} // namespace shell
