#pragma once

#include <QString>

#include <functional>

class QObject;

namespace shell {

// Asks the desktop's opener (xdg-open, found on the search path) to open a file, without
// waiting for it. `failed` runs on the user-interface thread when there is no opener,
// when it cannot start, or when it ends with a failure status (no browser, no handler).
void openOnDesktop(const QString &path, QObject *owner, const std::function<void()> &failed);

} // namespace shell
