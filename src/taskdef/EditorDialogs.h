#pragma once

class QTreeWidget;
class QWidget;

namespace taskdef {

// Habits the task editor and the packet editor share.

// Each visible column as wide as its content (up to maxWidth), the last one stretching.
void fitColumns(QTreeWidget *list, int maxWidth = 360);

// Grows the window to its layout's wish, so that no text or tab is cut in any language.
void growToContents(QWidget *window);

} // namespace taskdef
