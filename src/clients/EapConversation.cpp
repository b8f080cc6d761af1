#include "clients/EapConversation.h"

#include "clients/ConsoleOutput.h"
#include "radius/TransportCrypto.h"

#include <algorithm>

namespace clients {

namespace {

constexpr int kAccessRequest = 1;
constexpr int kAccessChallenge = 11;

// Not sent in EAP requests: the password travels inside EAP, and these are ours to set.
const char *const kReplaced[] = {"User-Password", "CHAP-Password", "EAP-Message", "Message-Authenticator", "State"};

std::vector<SimTriplet> tripletsOf(const radius::TransportPairs &pairs)
{
    std::vector<SimTriplet> triplets;
    for (int i = 1; i <= 3; ++i) {
        const std::string n = std::to_string(i);
        auto rand = pairs.bytes(("EAP-Sim-Rand" + n).c_str());
        auto sres = pairs.bytes(("EAP-Sim-SRES" + n).c_str());
        auto kc = pairs.bytes(("EAP-Sim-KC" + n).c_str());
        if (rand && sres && kc) triplets.push_back(SimTriplet{*rand, *sres, *kc});
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
    if (auto identity = packet.pairs.bytes("EAP-Type-Identity"))
        m_identity = *identity;
    else if (auto name = packet.pairs.bytes("User-Name"))
        m_identity = *name;
    if (auto password = packet.pairs.bytes("EAP-MD5-Password"))
        m_password = *password;
    else if (auto clear = packet.pairs.bytes("User-Password"))
        m_password = *clear;
    if (m_method == EapMessage::Sim) m_sim = std::make_unique<EapSimPeer>(m_identity, tripletsOf(packet.pairs));
}

std::uint8_t EapConversation::methodOf(const radius::TransportPairs &pairs)
{
    return pairs.has("EAP-Sim-Rand1") || pairs.has("EAP-Type-SIM") ? EapMessage::Sim : EapMessage::Md5Challenge;
}

std::optional<Outgoing> EapConversation::start(ConsoleOutput &out)
{
    if (m_identity.empty()) return fail("no User-Name or EAP-Type-Identity for the EAP identity", out);
    if (m_method == EapMessage::Sim && tripletsOf(m_packet.pairs).size() < 2)
        return fail("EAP-SIM needs at least two triplets (EAP-Sim-RandN, EAP-Sim-SRESN, EAP-Sim-KCN)", out);
    const auto id = m_packet.pairs.integer("EAP-Id");
    return send(EapMessage{EapMessage::Response, static_cast<std::uint8_t>(id ? *id & 0xff : 0),
                           EapMessage::Identity, m_identity},
                out);
}

std::optional<Outgoing> EapConversation::onReply(const radius::TransportPacket &reply, ConsoleOutput &out)
{
    if (reply.code() != kAccessChallenge) {
        m_outcome = RunStatistics::outcomeOfReply(reply.code());
        return std::nullopt;
    }
    const radius::Bytes eap = reply.joinedAttribute("EAP-Message").value_or(radius::Bytes{});
    const auto request = EapMessage::parse(eap);
    if (!request || request->code != EapMessage::Request)
        return fail("Access-Challenge without an EAP request", out);
    if (auto state = reply.attribute("State")) {
        m_state = *state;
        m_hasState = true;
    }
    auto response = answer(*request, out);
    if (!response) return std::nullopt;
    return send(*response, out);
}

std::optional<EapMessage> EapConversation::answer(const EapMessage &request, ConsoleOutput &out)
{
    if (request.type == EapMessage::Identity)
        return EapMessage{EapMessage::Response, request.id, EapMessage::Identity, m_identity};
    if (request.type != m_method)
        return EapMessage{EapMessage::Response, request.id, EapMessage::Nak, {m_method}};
    if (m_method == EapMessage::Md5Challenge) {
        // RFC 1994: MD5(identifier | secret | challenge), sent as a 16-octet value.
        if (request.data.empty() || request.data[0] + 1u > request.data.size()) {
            fail("malformed EAP-MD5 challenge", out);
            return std::nullopt;
        }
        radius::Bytes input(1 + m_password.size() + request.data[0]);
        input[0] = request.id;
        std::copy(m_password.begin(), m_password.end(), input.begin() + 1);
        std::copy_n(request.data.begin() + 1, request.data[0],
                    input.begin() + 1 + static_cast<std::ptrdiff_t>(m_password.size()));
        const auto digest = radius::TransportCrypto::md5(input);
        radius::Bytes value(1 + digest.size());
        value[0] = static_cast<std::uint8_t>(digest.size());
        std::copy(digest.begin(), digest.end(), value.begin() + 1);
        return EapMessage{EapMessage::Response, request.id, EapMessage::Md5Challenge, value};
    }
    std::string error;
    auto response = m_sim->respond(request, error);
    if (!response) fail(error, out);
    return response;
}

std::optional<Outgoing> EapConversation::send(const EapMessage &message, ConsoleOutput &out)
{
    m_request = m_packet.pairs.copy();
    for (const char *name : kReplaced) m_request.remove(name);
    std::string error = m_request.add("EAP-Message", message.encode());
    if (error.empty() && m_hasState) error = m_request.add("State", m_state);
    if (!error.empty()) return fail(error, out);
    return Outgoing{&m_request, kAccessRequest, true};
}

std::optional<Outgoing> EapConversation::fail(const std::string &reason, ConsoleOutput &out)
{
    out.error(packetName(m_packet) + ": " + reason);
    m_outcome = Outcome::Failed;
    return std::nullopt;
}

} // namespace clients
