#pragma once

#include "clients/RunStatistics.h"
#include "radius/RequestPacket.h"

#include <optional>

namespace clients {

class ConsoleOutput;

// The next request a conversation wants sent. The pairs stay owned by the conversation
// (or its packet template) until the reply has been handled.
struct Outgoing {
    const radius::PairList *pairs = nullptr;
    int code = 0;
    bool addMessageAuthenticator = false;
};

// The requests of one packet of the file: a single exchange for plain requests, several
// for an EAP authentication.
class Conversation {
public:
    virtual ~Conversation() = default;
    // The first request; none when the packet cannot be sent (outcome() says Failed).
    virtual std::optional<Outgoing> start(ConsoleOutput &out) = 0;
    // A reply that verified; the next request, or none when the conversation is over.
    virtual std::optional<Outgoing> onReply(const radius::RequestPacket &reply, ConsoleOutput &out) = 0;
    // The last request got no reply, as the line before says: the conversation is over.
    virtual void onLost(ConsoleOutput & /*out*/) {}
    virtual Outcome outcome() const = 0;
};

} // namespace clients
