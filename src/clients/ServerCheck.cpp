#include "clients/ServerCheck.h"

#include "clients/ConsoleOutput.h"
#include "clients/PlainConversation.h"
#include "clients/RequestEngine.h"

namespace clients {

namespace {

constexpr int kAccessRequest = 1;
constexpr const char *kProbeUser = "pellion-security-check";

// Keeps what the reply looked like on the wire.
class ProbeConversation : public PlainConversation {
public:
    ProbeConversation(const PacketTemplate &packet, ProbeAnswer &answer) : PlainConversation(packet), m_answer(answer)
    {
    }
    std::optional<Outgoing> onReply(const radius::RequestPacket &reply, ConsoleOutput &out) override
    {
        m_answer.answered = true;
        m_answer.replyCode = reply.code();
        m_answer.authenticatorPosition = radius::messageAuthenticatorPosition(reply.octets());
        return PlainConversation::onReply(reply, out);
    }

private:
    ProbeAnswer &m_answer;
};

radius::Status probePairs(radius::PairList &pairs, bool withProxyState)
{
    if (radius::Status added = pairs.addOctets("User-Name", kProbeUser); !added)
        return added;
    if (radius::Status added = pairs.addOctets("User-Password", kProbeUser); !added)
        return added;
    return withProxyState ? pairs.addOctets("Proxy-State", "pellion-check") : radius::Status{};
}

std::string describe(const ProbeAnswer &answer)
{
    if (!answer.answered)
        return "no answer (dropped)";
    const std::string code = radius::RequestPacket::codeName(answer.replyCode).toStdString();
    if (answer.authenticatorPosition < 0)
        return "answered with " + code + ", the reply carries no Message-Authenticator";
    if (answer.authenticatorPosition == 0)
        return "answered with " + code + ", Message-Authenticator first in the reply";
    return "answered with " + code + ", Message-Authenticator in the reply as attribute "
        + std::to_string(answer.authenticatorPosition + 1) + " (not first)";
}

constexpr const char *kRemedy =
    "Remedy: require Message-Authenticator from every client (FreeRADIUS: require_message_authenticator = yes "
    "in each client section; from 3.2.5 also security { require_message_authenticator = yes  "
    "limit_proxy_state = yes }).";

} // namespace

ServerVerdict ServerVerdict::of(const ProbeAnswer &plain, const ProbeAnswer &signedFirst, const ProbeAnswer &proxyState)
{
    if (plain.answered || proxyState.answered) {
        const std::string what = plain.answered
            ? "the server answers Access-Requests without Message-Authenticator"
            : "the server answers Access-Requests with Proxy-State and without Message-Authenticator";
        return {false, "Verdict: exposed to CVE-2024-3596 (Blast-RADIUS): " + what + ". " + kRemedy};
    }
    if (!signedFirst.answered)
        return {false,
                "Verdict: unknown: the server answered no probe, not even one with Message-Authenticator; "
                "check the address, the port and the shared secret."};
    if (signedFirst.authenticatorPosition == 0)
        return {true,
                "Verdict: protected: the server drops Access-Requests without Message-Authenticator and "
                "puts Message-Authenticator first in its replies."};
    const std::string replies = signedFirst.authenticatorPosition < 0
        ? "its replies carry no Message-Authenticator"
        : "its replies carry Message-Authenticator, but not first";
    return {true, "Verdict: requests protected: the server drops Access-Requests without Message-Authenticator, but "
                      + replies
                      + ". Remedy: update the server (FreeRADIUS 3.2.5 and later put Message-Authenticator first in "
                        "every reply), then let clients require it."};
}

bool ServerCheck::run()
{
    ProbeAnswer plain;
    ProbeAnswer signedFirst;
    ProbeAnswer proxyState;
    m_out.info("Checking " + m_server.display(m_server.port()) + " for CVE-2024-3596 (Blast-RADIUS)");
    if (!probe("Access-Request without Message-Authenticator", false, false, plain)
        || !probe("Access-Request with Message-Authenticator first", true, false, signedFirst)
        || !probe("Access-Request with Proxy-State, without Message-Authenticator", false, true, proxyState))
        return false;
    const ServerVerdict verdict = ServerVerdict::of(plain, signedFirst, proxyState);
    if (verdict.protectedRequests)
        m_out.info(verdict.line);
    else
        m_out.warning(verdict.line);
    m_out.flush();
    return verdict.protectedRequests;
}

bool ServerCheck::probe(const char *title, bool withAuthenticator, bool withProxyState, ProbeAnswer &answer)
{
    std::vector<PacketTemplate> packets(1);
    PacketTemplate &packet = packets.front();
    packet.number = 1;
    packet.code = kAccessRequest;
    packet.port = m_server.port();
    if (const radius::Status made = probePairs(packet.pairs, withProxyState); !made) {
        m_out.error("Cannot make the probe: " + made.error().toStdString());
        return false;
    }

    ClientOptions options = m_options;
    options.repeat = 1;
    options.parallel = 1;
    options.ratePerSecond = 0;
    options.requireReplyAuthenticator = false;
    options.legacyMessageAuthenticator = !withAuthenticator;
    RunStatistics stats;
    RequestEngine engine(
        options, m_server, packets,
        [&answer](const PacketTemplate &p) { return std::make_unique<ProbeConversation>(p, answer); }, m_out, stats);
    if (!engine.run())
        return false;
    m_out.info(std::string(title) + ": " + describe(answer));
    return true;
}

} // namespace clients
