#include "execution/ClientLaunch.h"

#include "execution/ClientCommandLine.h"
#include "execution/ClientOrigin.h"
#include "platform/CommandLine.h"

namespace execution {

namespace {
bool handsOver(const QString &secret, const QString &line)
{
    return CanHandOverSecret(secret) && isOwnClient(platform::splitCommandLine(line).value(0));
}
QByteArray secretLine(const QString &secret)
{
    return secret.toLocal8Bit() + '\n';
}
} // namespace

ClientLaunch ClientLaunch::forTask(const taskstore::TaskRecord &task)
{
    const QString contractLine = BuildCommandLine(task);
    if (!handsOver(task.SecretKey, contractLine))
        return {contractLine, {}};
    return {BuildPrivateCommandLine(task), secretLine(task.SecretKey)};
}

ClientLaunch ClientLaunch::securityCheckFor(const taskstore::TaskRecord &task)
{
    const QString line = BuildSecurityCheckLine(task, false);
    if (!handsOver(task.SecretKey, line))
        return {line, {}};
    return {BuildSecurityCheckLine(task, true), secretLine(task.SecretKey)};
}

} // namespace execution
