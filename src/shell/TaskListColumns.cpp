#include "shell/TaskListColumns.h"

#include "shell/TaskListView.h"

#include "history/RunTexts.h"
#include "history/VerdictIcon.h"
#include "taskstore/RunHistoryStore.h"

#include <QHeaderView>
#include <QTreeView>

#include <algorithm>
#include <array>

namespace shell {

namespace {
// Name, last run, next run and server address; the last-result column stretches.
constexpr int kFitted = 4;

void widenToHeadings(QHeaderView &header)
{
    for (int column = 0; column < kFitted; ++column)
        if (header.sectionSize(column) < header.sectionSizeHint(column))
            header.resizeSection(column, header.sectionSizeHint(column));
}
} // namespace

void fitTaskListColumns(TaskListView &list)
{
    QTreeView *report = list.reportView();
    QHeaderView *header = report->header();
    header->setStretchLastSection(true);
    std::array<int, kFitted> longestRow{};
    std::array<qsizetype, kFitted> longest{};
    for (int row = 0; row < list.rowCount(); ++row) {
        const TaskRow task = list.row(row);
        const std::array<qsizetype, kFitted> lengths{task.taskName.size(), task.lastRunTime.size(),
                                                     task.nextRunTime.size(), task.serverIp.size()};
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

void keepHeadingsWhole(TaskListView &list)
{
    QHeaderView *header = list.reportView()->header();
    QObject::connect(header->model(), &QAbstractItemModel::headerDataChanged, header,
                     [header] { widenToHeadings(*header); });
}

void showLastResult(TaskListView &list, const QString &taskId, taskstore::Verdict verdict)
{
    const int row = list.indexOf(taskId);
    if (row >= 0)
        list.setCell(row, TaskListView::kLastResultColumn, history::RunTexts::current().verdict(verdict),
                     history::verdictIcon(verdict));
}

void showLastResults(TaskListView &list, taskstore::Connection &connection)
{
    // The history is a help beside the list: a failed read leaves the column empty.
    const auto verdicts = taskstore::RunHistoryStore(connection).lastVerdicts();
    if (!verdicts.ok())
        return;
    const history::RunTexts texts = history::RunTexts::current();
    for (int row = 0; row < list.rowCount(); ++row) {
        const auto found = verdicts.value().constFind(list.row(row).taskId);
        if (found == verdicts.value().cend())
            list.setCell(row, TaskListView::kLastResultColumn, QString(), QIcon());
        else
            list.setCell(row, TaskListView::kLastResultColumn, texts.verdict(*found), history::verdictIcon(*found));
    }
}

void setLastResultHeading(TaskListView &list, const platform::LanguageFile &file)
{
    list.setHeading(
        TaskListView::kLastResultColumn,
        file.text(QStringLiteral("lvwTask_Column"), QStringLiteral("Column6.Caption"), QStringLiteral("Last Result")));
}

} // namespace shell
