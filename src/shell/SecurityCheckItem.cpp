#include "shell/SecurityCheckItem.h"

#include <QAction>
#include <QMenu>

namespace shell {

QAction *addSecurityCheckItem(QMenu *actionMenu, const std::function<void()> &check)
{
    auto *item = new QAction(QStringLiteral("Check Server Security"), actionMenu);
    item->setObjectName(QStringLiteral("mnuCheckSecurity"));
    actionMenu->addSeparator();
    actionMenu->addAction(item);
    QObject::connect(item, &QAction::triggered, actionMenu, [check] { check(); });
    return item;
}

} // namespace shell
