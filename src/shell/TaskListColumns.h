#pragma once

#include "taskstore/RunHistoryStore.h"

#include <QString>

namespace platform {
class LanguageFile;
}
namespace taskstore {
class Connection;
}

namespace shell {

class TaskListView;

// Widens or narrows the report's filled columns to their longest text, each at most half
// the list's width (or forty characters), and lets the last column take the rest.
// Measures one cell a column (the longest text), so a fill of many rows stays cheap.
void fitTaskListColumns(TaskListView &list);

// From now on a heading that changes (its text in another language, the sort mark moving
// to it) widens its column when it no longer fits; the rows' fitting stays as it was.
void keepHeadingsWhole(TaskListView &list);

// The last-result column: the verdict of each listed task's latest run with its icon,
// empty for a task never run. All rows at once (after a fill), or one task's (a run ended).
void showLastResults(TaskListView &list, taskstore::Connection &connection);
void showLastResult(TaskListView &list, const QString &taskId, taskstore::Verdict verdict);
void setLastResultHeading(TaskListView &list, const platform::LanguageFile &file);

} // namespace shell
