#pragma once

#include "radius/EapMessage.h"

#include <optional>
#include <string>

namespace radius {
class PairList;
}

namespace clients {

class PacketLog;

// The peer's side of one EAP method after the identity.
class EapPeerMethod {
public:
    virtual ~EapPeerMethod() = default;
    virtual quint8 type() const = 0;
    // The response to a request of type(); none with the reason in `error`.
    virtual std::optional<radius::EapMessage> respond(const radius::EapMessage &request, PacketLog &log,
                                                      std::string &error) = 0;
    // An Access-Accept ends the method: whether the method got as far as it must and the
    // keys the Accept carries are the ones it derived; what is wrong is logged as an error.
    virtual bool checkAccept(const radius::PairList &reply, PacketLog &log) = 0;
    // A failure of ours that the last response told the server (a TLS alert): the exchange
    // ends with it whatever the server answers. Empty while there is none.
    virtual std::string toldFailure() const { return {}; }
    // An Access-Reject ends it: tells why, where the method or the reply says it.
    virtual void onReject(const radius::PairList &reply, PacketLog &log)
    {
        static_cast<void>(reply);
        static_cast<void>(log);
    }
};

} // namespace clients
