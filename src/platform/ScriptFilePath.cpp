#include "platform/ScriptFilePath.h"

#include "platform/ProgramDirectory.h"

namespace platform {

QString scriptRelativePath(const QString &taskId)
{
    return QLatin1String("script/") + taskId + QLatin1String(".txt");
}

QString scriptFilePath(const QString &taskId)
{
    return ProgramDirectory::filePath(scriptRelativePath(taskId));
}

} // namespace platform
