#pragma once

#include <QString>

namespace platform {

// The packet script file of a task, relative to the program directory: "script/<id>.txt".
QString scriptRelativePath(const QString &taskId);
// The same, absolute.
QString scriptFilePath(const QString &taskId);

} // namespace platform
