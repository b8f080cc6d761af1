#pragma once

#include "platform/LanguageFile.h"

#include <span>

class QWidget;

namespace taskdef {

// A localised heading of a list: the text goes to column `column` of the tree widget
// named `list`.
struct HeadingEntry {
    const char *section;
    const char *key;
    const char *builtIn;
    const char *list;
    int column;
};

void applyHeadings(QWidget *window, std::span<const HeadingEntry> entries, const platform::LanguageFile &file);

} // namespace taskdef
