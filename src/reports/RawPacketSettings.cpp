#include "reports/RawPacketSettings.h"

#include "taskstore/AuthMode.h"

#include <QCoreApplication>

namespace reports {

RawPacketSettings RawPacketSettings::fromTask(const taskstore::TaskRecord &task)
{
    RawPacketSettings s;
    s.serverIp = task.ServerIP;
    s.defaultPort = task.Port;
    s.defaultCode = task.RequestTypeCode;
    s.secret = task.SecretKey.toUtf8();
    s.startId = task.StartID;
    s.eapMode = taskstore::isLegacyEapMode(task.AuthMode);
    if (taskstore::enterpriseMode(task.AuthMode, task.RequestType))
        s.modeComputedByClient = task.AuthMode;
    s.fallbackEapId = int(QCoreApplication::applicationPid() & 0xff);
    s.placement = task.Transport.MessageAuthenticatorFirst ? radius::MessageAuthenticatorPlacement::First
                                                           : radius::MessageAuthenticatorPlacement::Legacy;
    return s;
}

} // namespace reports
