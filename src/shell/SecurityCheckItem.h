#pragma once

#include <functional>

class QAction;
class QMenu;

namespace shell {

// Action → "Check Server Security" (mnuCheckSecurity): the selected task's server checked
// for CVE-2024-3596 the way a run goes. Appended to the menu; triggered calls check.
QAction *addSecurityCheckItem(QMenu *actionMenu, const std::function<void()> &check);

} // namespace shell
