#include "clients/EapConversation.h"

#include "clients/ConsoleOutput.h"
#include "radius/Crypto.h"

#include <algorithm>

namespace clients {

namespace {

constexpr int kAccessRequest = 1;
constexpr int kAccessChallenge = 11;

// Not sent in EAP requests: the password travels inside EAP, and these are ours to set.
const QByteArray kReplaced[] = {"User-Password", "CHAP-Password", "EAP-Message", "Message-Authenticator", "State"};

std::vector<SimTriplet> tripletsOf(const radius::PairList &pairs)
{
    std::vector<SimTriplet> triplets;
    for (int i = 1; i <= 3; ++i) {
        const QByteArray n = QByteArray::number(i);
        auto rand = pairs.value("EAP-Sim-Rand" + n);
        auto sres = pairs.value("EAP-Sim-SRES" + n);
        auto kc = pairs.value("EAP-Sim-KC" + n);
        if (rand && sres && kc)
            triplets.push_back(SimTriplet{*rand, *sres, *kc});
    }
    return triplets;
}

std::string packetName(const PacketTemplate &packet)
{
    return "Packet " + std::to_string(packet.number);
}

} // namespace

EapConversation::EapConversation(const PacketTemplate &packet) : m_packet(packet), m_method(methodOf(packet.pairs))
{
    if (auto identity = packet.pairs.value("EAP-Type-Identity"))
        m_identity = *identity;
    else if (auto name = packet.pairs.value("User-Name"))
        m_identity = *name;
    if (auto password = packet.pairs.value("EAP-MD5-Password"))
        m_password = *password;
    else if (auto clear = packet.pairs.value("User-Password"))
        m_password = *clear;
    if (m_method == radius::EapMessage::Sim)
        m_sim = std::make_unique<EapSimPeer>(m_identity, tripletsOf(packet.pairs));
}

std::uint8_t EapConversation::methodOf(const radius::PairList &pairs)
{
    return pairs.indexOf("EAP-Sim-Rand1") >= 0 || pairs.indexOf("EAP-Type-SIM") >= 0 ? radius::EapMessage::Sim
                                                                                     : radius::EapMessage::Md5Challenge;
}

std::optional<Outgoing> EapConversation::start(ConsoleOutput &out)
{
    if (m_identity.isEmpty())
        return fail("no User-Name or EAP-Type-Identity for the EAP identity", out);
    if (m_method == radius::EapMessage::Sim && tripletsOf(m_packet.pairs).size() < 2)
        return fail("EAP-SIM needs at least two triplets (EAP-Sim-RandN, EAP-Sim-SRESN, EAP-Sim-KCN)", out);
    const auto id = m_packet.pairs.integer("EAP-Id");
    return send(radius::EapMessage{radius::EapMessage::Response, static_cast<std::uint8_t>(id ? *id & 0xff : 0),
                                   radius::EapMessage::Identity, m_identity},
                out);
}

std::optional<Outgoing> EapConversation::onReply(const radius::RequestPacket &reply, ConsoleOutput &out)
{
    const int code = static_cast<int>(reply.code());
    if (code != kAccessChallenge) {
        m_outcome = RunStatistics::outcomeOfReply(code);
        return std::nullopt;
    }
    const auto request = radius::EapMessage::parse(reply.pairs().joined("EAP-Message"));
    if (!request || request->code != radius::EapMessage::Request)
        return fail("Access-Challenge without an EAP request", out);
    if (auto state = reply.pairs().value("State"))
        m_state = *state;
    auto response = answer(*request, out);
    if (!response)
        return std::nullopt;
    return send(*response, out);
}

std::optional<radius::EapMessage> EapConversation::answer(const radius::EapMessage &request, ConsoleOutput &out)
{
    using radius::EapMessage;
    if (request.type == EapMessage::Identity)
        return EapMessage{EapMessage::Response, request.id, EapMessage::Identity, m_identity};
    if (request.type != m_method)
        return EapMessage{EapMessage::Response, request.id, EapMessage::Nak, QByteArray(1, char(m_method))};
    if (m_method == EapMessage::Md5Challenge) {
        // RFC 1994: MD5(identifier | secret | challenge), sent as a 16-octet value.
        const qsizetype challengeLength = request.data.isEmpty() ? 0 : std::uint8_t(request.data[0]);
        if (request.data.isEmpty() || challengeLength + 1 > request.data.size()) {
            fail("malformed EAP-MD5 challenge", out);
            return std::nullopt;
        }
        const QByteArray input = QByteArray(1, char(request.id)) + m_password + request.data.mid(1, challengeLength);
        const QByteArray digest = radius::Crypto::md5(input);
        return EapMessage{EapMessage::Response, request.id, EapMessage::Md5Challenge,
                          QByteArray(1, char(digest.size())) + digest};
    }
    std::string error;
    auto response = m_sim->respond(request, error);
    if (!response)
        fail(error, out);
    return response;
}

std::optional<Outgoing> EapConversation::send(const radius::EapMessage &message, ConsoleOutput &out)
{
    m_request = m_packet.pairs.copy();
    for (const QByteArray &name : kReplaced)
        m_request.removeAll(name);
    radius::Status added = message.appendTo(m_request);
    if (added && m_state)
        added = m_request.addOctets("State", *m_state);
    if (!added)
        return fail(added.error().toStdString(), out);
    return Outgoing{&m_request, kAccessRequest, true};
}

std::optional<Outgoing> EapConversation::fail(const std::string &reason, ConsoleOutput &out)
{
    out.error(packetName(m_packet) + ": " + reason);
    m_outcome = Outcome::Failed;
    return std::nullopt;
}

} // namespace clients
