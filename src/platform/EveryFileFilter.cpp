#include "platform/EveryFileFilter.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QRegularExpression>

#include <algorithm>

namespace platform {

namespace {
bool isStarDotStar(const QString &filter)
{
    static const QRegularExpression patterns(QStringLiteral("\\(\\s*\\*\\.\\*\\s*\\)\\s*$"));
    return patterns.match(filter).hasMatch();
}
} // namespace

void matchEveryFileWithStarDotStar(QFileDialog &dialog)
{
    const QStringList filters = dialog.nameFilters();
    if (std::none_of(filters.cbegin(), filters.cend(), isStarDotStar))
        return;
    // Only Qt's own dialog lets the matching be changed.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const auto apply = [&dialog](const QString &filter) {
        if (!isStarDotStar(filter))
            return;
        if (auto *model = dialog.findChild<QFileSystemModel *>())
            model->setNameFilters({QStringLiteral("*")});
    };
    // Sent after the dialog has set the chosen filter's patterns.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, apply);
    apply(dialog.selectedNameFilter());
}

} // namespace platform
