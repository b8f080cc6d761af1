#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <initializer_list>

namespace shell {

// The controls of one command (tool button, menu item, context menu item), enabled and
// disabled together.
class CommandGroup {
public:
    CommandGroup() = default;
    CommandGroup(std::initializer_list<QObject *> controls);

    void setEnabled(bool enabled);
    bool isEnabled() const;

private:
    QList<QPointer<QObject>> m_controls;
};

} // namespace shell
