#pragma once

namespace shell {

class TaskListView;

// Widens or narrows the report's filled columns to their longest text, each at most half
// the list's width (or forty characters), and lets the last column take the rest.
// Measures one cell a column (the longest text), so a fill of many rows stays cheap.
void fitTaskListColumns(TaskListView &list);

} // namespace shell
