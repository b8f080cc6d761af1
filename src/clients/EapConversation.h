#pragma once

#include "clients/Conversation.h"
#include "clients/EapOptions.h"
#include "clients/EapPeerMethod.h"
#include "clients/HeldLines.h"
#include "clients/PacketLog.h"
#include "clients/PacketScript.h"

#include <memory>
#include <string>

namespace clients {

// One EAP authentication over Access-Requests: Identity, then the method -a names (or
// EAP-MD5 or EAP-SIM as the packet asks), with State carried from each Access-Challenge
// and a Message-Authenticator on every request. A method the server proposes that is not
// ours is answered with a Nak naming ours. The exchange's lines are held and written when
// it ends, however it ends.
class EapConversation : public Conversation {
public:
    explicit EapConversation(const PacketTemplate &packet, EapOptions options = {});
    ~EapConversation() override;
    EapConversation(const EapConversation &) = delete;
    EapConversation &operator=(const EapConversation &) = delete;
    std::optional<Outgoing> start(ConsoleOutput &out) override;
    std::optional<Outgoing> onReply(const radius::RequestPacket &reply, ConsoleOutput &out) override;
    void onLost(ConsoleOutput &out) override;
    Outcome outcome() const override { return m_outcome; }

private:
    std::optional<Outgoing> begin();
    std::optional<Outgoing> next(const radius::RequestPacket &reply);
    std::optional<Outgoing> written(std::optional<Outgoing> outgoing, ConsoleOutput &out);
    std::optional<Outgoing> send(const radius::EapMessage &message);
    std::optional<radius::EapMessage> answer(const radius::EapMessage &request);
    std::optional<Outgoing> fail(const std::string &reason);
    void finish(const radius::RequestPacket &reply);
    bool countsRounds() const;

    const PacketTemplate &m_packet;
    EapOptions m_options;
    QByteArray m_identity;
    std::unique_ptr<EapPeerMethod> m_peer;
    std::string m_peerError;
    std::optional<QByteArray> m_state;
    radius::PairList m_request;
    Outcome m_outcome = Outcome::Failed;
    HeldLines m_held;
    PacketLog m_log;
    ConsoleOutput *m_out = nullptr;
};

} // namespace clients
