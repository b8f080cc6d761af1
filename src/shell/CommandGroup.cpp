#include "shell/CommandGroup.h"

#include <QAction>
#include <QWidget>

namespace shell {

CommandGroup::CommandGroup(std::initializer_list<QObject *> controls)
{
    for (QObject *control : controls)
        m_controls << control;
}

void CommandGroup::setEnabled(bool enabled)
{
    for (const QPointer<QObject> &control : m_controls) {
        if (auto *action = qobject_cast<QAction *>(control))
            action->setEnabled(enabled);
        else if (auto *widget = qobject_cast<QWidget *>(control))
            widget->setEnabled(enabled);
    }
}

bool CommandGroup::isEnabled() const
{
    for (const QPointer<QObject> &control : m_controls) {
        if (auto *action = qobject_cast<QAction *>(control))
            return action->isEnabled();
        if (auto *widget = qobject_cast<QWidget *>(control))
            return widget->isEnabled();
    }
    return false;
}

} // namespace shell
