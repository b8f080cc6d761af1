#include "clients/EapConversation.h"

#include "clients/ConsoleOutput.h"
#include "clients/EapPeerFactory.h"

namespace clients {

namespace {

constexpr int kAccessRequest = 1;
constexpr int kAccessAccept = 2;
constexpr int kAccessReject = 3;
constexpr int kAccessChallenge = 11;

// Not sent in EAP requests: the password travels inside EAP, and these are ours to set.
const QByteArray kReplaced[] = {"User-Password", "CHAP-Password", "EAP-Message", "Message-Authenticator", "State"};

} // namespace

EapConversation::EapConversation(const PacketTemplate &packet, EapOptions options)
    : m_packet(packet), m_options(std::move(options)), m_peer(makeEapPeer(m_options, packet, m_peerError)),
      m_log(m_held, packet.number)
{
    m_identity = EapCredentials::of(packet).identity;
    const bool tunnel = m_options.method == EapOptions::Method::Peap || m_options.method == EapOptions::Method::Ttls;
    if (tunnel && !m_options.anonymous.empty())
        m_identity = QByteArray::fromStdString(m_options.anonymous);
}

// A run that ends early (a broken connection) drops its conversations: what they held
// goes out then.
EapConversation::~EapConversation()
{
    if (m_out)
        m_held.writeTo(*m_out);
}

void EapConversation::onLost(ConsoleOutput &out)
{
    if (const std::string told = m_peer ? m_peer->toldFailure() : std::string(); !told.empty())
        m_log.error(told);
    m_held.writeTo(out);
}

std::optional<Outgoing> EapConversation::start(ConsoleOutput &out)
{
    m_out = &out;
    return written(begin(), out);
}

std::optional<Outgoing> EapConversation::onReply(const radius::RequestPacket &reply, ConsoleOutput &out)
{
    m_out = &out;
    return written(next(reply), out);
}

std::optional<Outgoing> EapConversation::written(std::optional<Outgoing> outgoing, ConsoleOutput &out)
{
    if (!outgoing)
        m_held.writeTo(out);
    return outgoing;
}

std::optional<Outgoing> EapConversation::begin()
{
    if (m_identity.isEmpty())
        return fail("no User-Name or EAP-Type-Identity for the EAP identity");
    if (!m_peer)
        return fail(m_peerError);
    const auto id = m_packet.pairs.integer("EAP-Id");
    return send(radius::EapMessage{radius::EapMessage::Response, static_cast<std::uint8_t>(id ? *id & 0xff : 0),
                                   radius::EapMessage::Identity, m_identity});
}

// The methods before the tunnelled ones kept their output as it was.
bool EapConversation::countsRounds() const
{
    return m_options.method != EapOptions::Method::Automatic && m_options.method != EapOptions::Method::Md5
        && m_options.method != EapOptions::Method::Sim;
}

std::optional<Outgoing> EapConversation::next(const radius::RequestPacket &reply)
{
    if (const std::string told = m_peer->toldFailure(); !told.empty())
        return fail(told);
    const int code = static_cast<int>(reply.code());
    if (code != kAccessChallenge) {
        finish(reply);
        return std::nullopt;
    }
    if (countsRounds())
        m_held.addRound(PacketLog::prefixOf(m_packet.number));
    const auto request = radius::EapMessage::parse(reply.pairs().joined("EAP-Message"));
    if (!request || request->code != radius::EapMessage::Request)
        return fail("Access-Challenge without an EAP request");
    if (auto state = reply.pairs().value("State"))
        m_state = *state;
    auto response = answer(*request);
    if (!response)
        return std::nullopt;
    return send(*response);
}

void EapConversation::finish(const radius::RequestPacket &reply)
{
    const int code = static_cast<int>(reply.code());
    m_outcome = RunStatistics::outcomeOfReply(code);
    if (code == kAccessAccept && !m_peer->checkAccept(reply.pairs(), m_log))
        m_outcome = Outcome::Failed;
    else if (code == kAccessReject)
        m_peer->onReject(reply.pairs(), m_log);
}

std::optional<radius::EapMessage> EapConversation::answer(const radius::EapMessage &request)
{
    using radius::EapMessage;
    if (request.type == EapMessage::Identity)
        return EapMessage{EapMessage::Response, request.id, EapMessage::Identity, m_identity};
    if (request.type != m_peer->type())
        return EapMessage{EapMessage::Response, request.id, EapMessage::Nak, QByteArray(1, char(m_peer->type()))};
    std::string error;
    auto response = m_peer->respond(request, m_log, error);
    if (!response)
        fail(error);
    return response;
}

std::optional<Outgoing> EapConversation::send(const radius::EapMessage &message)
{
    m_request = m_packet.pairs.copy();
    for (const QByteArray &name : kReplaced)
        m_request.removeAll(name);
    radius::Status added;
    // The outer identity stands for the user wherever the request names one.
    if (m_identity != EapCredentials::of(m_packet).identity && m_request.indexOf("User-Name") >= 0) {
        m_request.removeAll("User-Name");
        added = m_request.addOctets("User-Name", m_identity);
    }
    if (added)
        added = message.appendTo(m_request);
    if (added && m_state)
        added = m_request.addOctets("State", *m_state);
    if (!added)
        return fail(added.error().toStdString());
    return Outgoing{&m_request, kAccessRequest, true};
}

std::optional<Outgoing> EapConversation::fail(const std::string &reason)
{
    m_log.error(reason);
    m_outcome = Outcome::Failed;
    return std::nullopt;
}

} // namespace clients
