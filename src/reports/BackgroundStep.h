#pragma once

#include <QStringList>

#include <functional>

namespace reports {

// Runs a step that may wait on the network (a host-name lookup) on a thread of its own,
// while the user-interface thread goes on serving paint events, timers and the workers'
// hand-overs. User input waits, so nothing re-enters the command that asked for it.
class BackgroundStep {
public:
    static QStringList run(const std::function<QStringList()> &step);
};

} // namespace reports
