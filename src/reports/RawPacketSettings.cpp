#include "reports/RawPacketSettings.h"

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
    s.eapMode = task.AuthMode == QLatin1String("EAP-MD5") || task.AuthMode == QLatin1String("EAP-SIM");
    s.fallbackEapId = int(QCoreApplication::applicationPid() & 0xff);
    s.placement = task.Transport.MessageAuthenticatorFirst ? radius::MessageAuthenticatorPlacement::First
                                                           : radius::MessageAuthenticatorPlacement::Legacy;
    return s;
}

} // namespace reports
