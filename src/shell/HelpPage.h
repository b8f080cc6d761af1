#pragma once

#include <QString>

namespace shell {

// The help page to open: the page a language file names (relative to the help folder,
// e.g. "zh/index.html") when it is there, else the folder's own index.html. A name that
// would lead out of the help folder is not followed.
QString helpPagePath(const QString &helpFolder, const QString &namedPage);

} // namespace shell
