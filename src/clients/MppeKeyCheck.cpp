#include "clients/MppeKeyCheck.h"

#include "clients/PacketLog.h"
#include "radius/PairList.h"

#include <optional>

namespace clients {

bool mppeKeysMatch(const radius::PairList &reply, const QByteArray &sendKey, const QByteArray &receiveKey,
                   const std::string &source, PacketLog &log)
{
    const auto gotSend = reply.value("MS-MPPE-Send-Key");
    const auto gotReceive = reply.value("MS-MPPE-Recv-Key");
    if (!gotSend && !gotReceive)
        return true;
    bool same = true;
    const auto compare = [&](const char *name, const std::optional<QByteArray> &got, const QByteArray &key) {
        if (got && *got != key) {
            log.error(std::string(name) + " is not the key " + source + " gives");
            same = false;
        }
    };
    compare("MS-MPPE-Send-Key", gotSend, sendKey);
    compare("MS-MPPE-Recv-Key", gotReceive, receiveKey);
    if (same)
        log.info("MPPE keys match " + source);
    return same;
}

} // namespace clients
