#include "taskdef/FormTexts.h"

#include <QTreeWidget>

namespace taskdef {

void applyHeadings(QWidget *window, std::span<const HeadingEntry> entries, const platform::LanguageFile &file)
{
    for (const HeadingEntry &entry : entries) {
        auto *list = window->findChild<QTreeWidget *>(QString::fromLatin1(entry.list));
        if (!list || !list->headerItem())
            continue;
        list->headerItem()->setText(entry.column,
                                    file.text(QString::fromLatin1(entry.section), QString::fromLatin1(entry.key),
                                              QString::fromLatin1(entry.builtIn)));
    }
}

} // namespace taskdef
