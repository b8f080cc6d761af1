#pragma once

#include <QByteArray>

#include <string>

namespace radius {
class PairList;
}

namespace clients {

class PacketLog;

// The MS-MPPE-Send-Key and MS-MPPE-Recv-Key of an Access-Accept (already decrypted by the
// library) against the keys the client derived; absent keys pass. `source` says where
// the client's keys come from ("the password"). Logs the outcome.
bool mppeKeysMatch(const radius::PairList &reply, const QByteArray &sendKey, const QByteArray &receiveKey,
                   const std::string &source, PacketLog &log);

} // namespace clients
