#include "shell/TerminalCommandLine.h"

#include "execution/ClientCommandLine.h"
#include "platform/CommandLine.h"
#include "taskstore/TaskReader.h"

namespace shell {

QString terminalCommandLine(const taskstore::TaskRecord &task)
{
    QString line = execution::BuildCommandLine(task);
    const auto inQuotes = [](const QString &path) { return QLatin1Char('"') + path + QLatin1Char('"'); };
    line.replace(inQuotes(taskstore::scriptRelativePath(task.TaskID)),
                 inQuotes(taskstore::scriptFilePath(task.TaskID)));
    const qsizetype programEnd = line.indexOf(QLatin1Char(' '));
    const QString program = platform::resolveProgram(line.left(programEnd));
    if (!program.isEmpty())
        line.replace(0, programEnd, platform::quoteCommandWord(program));
    return line;
}

} // namespace shell
