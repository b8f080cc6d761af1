#include "clients/EapTlsPeer.h"

#include "clients/MppeKeyCheck.h"
#include "clients/PacketLog.h"

#include <utility>

namespace clients {

namespace {

enum Flag : quint8 { Length = 0x80, More = 0x40, Start = 0x20 };
constexpr int kLengthField = 4;
constexpr int kMskLength = 64;
constexpr int kMppeKeyLength = 32;

QByteArray lengthField(qsizetype length)
{
    QByteArray octets(kLengthField, '\0');
    for (int i = 0; i < kLengthField; ++i)
        octets[i] = char((length >> (8 * (kLengthField - 1 - i))) & 0xff);
    return octets;
}

} // namespace

EapTlsPeer::EapTlsPeer(tls::TlsEngineSettings settings, quint8 type) : m_settings(std::move(settings)), m_type(type)
{
}

std::optional<radius::EapMessage> EapTlsPeer::respond(const radius::EapMessage &request, PacketLog &log,
                                                      std::string &error)
{
    if (request.data.isEmpty()) {
        error = "EAP request without flags";
        return std::nullopt;
    }
    const auto flags = quint8(request.data[0]);
    std::optional<QByteArray> data;
    if (flags & Start)
        data = start(log, error);
    else if (!m_engine)
        error = "EAP-TLS data before the server's start";
    else if (m_sendingFragments && request.data.size() == 1)
        data = nextFragment(); // the server has taken our last fragment
    else
        data = take(request.data, log, error);
    if (!data)
        return std::nullopt;
    return radius::EapMessage{radius::EapMessage::Response, request.id, m_type, *data};
}

std::optional<QByteArray> EapTlsPeer::start(PacketLog &log, std::string &error)
{
    if (m_engine) {
        error = "the server started TLS a second time";
        return std::nullopt;
    }
    if (!m_settings.verifyServer)
        log.warning("the server's certificate is not checked (--eap-insecure)");
    m_engine = tls::TlsEngine::create(m_settings, error);
    if (!m_engine || !m_engine->receive({}, error))
        return std::nullopt;
    m_outgoing = m_engine->takeRecords();
    return nextFragment();
}

std::optional<QByteArray> EapTlsPeer::take(const QByteArray &data, PacketLog &log, std::string &error)
{
    const auto flags = quint8(data[0]);
    const int skip = 1 + ((flags & Length) ? kLengthField : 0);
    if (data.size() < skip) {
        error = "EAP-TLS message shorter than its length field";
        return std::nullopt;
    }
    m_incoming += data.mid(skip);
    if (flags & More)
        return acknowledgement();
    const bool wasEstablished = m_engine->isEstablished();
    if (!m_engine->receive(std::exchange(m_incoming, QByteArray()), error)) {
        error = (wasEstablished ? "TLS failed: " : "TLS handshake failed: ") + error;
        // The alert the session wrote tells the server why, as a supplicant's would: it goes
        // out, and the server's answer ends the exchange.
        m_outgoing = m_engine->takeRecords();
        if (m_outgoing.isEmpty())
            return std::nullopt;
        m_toldFailure = std::exchange(error, {});
        return nextFragment();
    }
    if (!wasEstablished && m_engine->isEstablished()) {
        log.info("TLS: " + m_engine->description());
        log.info("server certificate: " + m_engine->peerSubject() + ", valid until " + m_engine->peerExpiry());
        if (!onEstablished(log, error))
            return std::nullopt;
    }
    if (const QByteArray plain = m_engine->takePlain(); !plain.isEmpty() && !onTunnelData(plain, log, error))
        return std::nullopt;
    m_outgoing = m_engine->takeRecords();
    return m_outgoing.isEmpty() ? acknowledgement() : nextFragment();
}

QByteArray EapTlsPeer::nextFragment()
{
    const bool first = !m_sendingFragments;
    const bool more = m_outgoing.size() > kFragmentSize;
    QByteArray data(1, '\0');
    if (first && more)
        data = QByteArray(1, char(Length | More)) + lengthField(m_outgoing.size());
    else if (more)
        data[0] = char(More);
    data += m_outgoing.left(kFragmentSize);
    m_outgoing.remove(0, std::min<qsizetype>(kFragmentSize, m_outgoing.size()));
    m_sendingFragments = more;
    return data;
}

bool EapTlsPeer::sendInside(const QByteArray &plain, std::string &error)
{
    return m_engine->send(plain, error);
}

QByteArray EapTlsPeer::exportKeys(const char *label, int length) const
{
    return isEstablished() ? m_engine->exportKeyingMaterial(label, {}, false, length) : QByteArray();
}

bool EapTlsPeer::onEstablished(PacketLog &, std::string &)
{
    return true;
}

bool EapTlsPeer::onTunnelData(const QByteArray &, PacketLog &, std::string &error)
{
    // RFC 9190 section 2.1.1: under TLS 1.3 the server's application data (one octet 0x00,
    // though any is to be taken) commits it to send no more handshake messages.
    if (m_engine->isTls13()) {
        m_committed = true;
        return true;
    }
    error = "data inside EAP-TLS, which carries none";
    return false;
}

bool EapTlsPeer::innerSucceeded(PacketLog &log) const
{
    // Under TLS 1.3 our handshake ends before the server has taken our certificate.
    if (!m_engine->isTls13() || m_committed)
        return true;
    log.error("Access-Accept without the server's TLS 1.3 commitment message");
    return false;
}

EapTlsPeer::Keys EapTlsPeer::mppeKeys() const
{
    if (!m_engine || !m_engine->isEstablished())
        return {};
    // RFC 5216 under TLS 1.2; RFC 9190 and RFC 9427 under TLS 1.3, the method's type as context.
    const QByteArray msk = m_engine->isTls13() ? m_engine->exportKeyingMaterial(
                               "EXPORTER_EAP_TLS_Key_Material", QByteArray(1, char(m_type)), true, 2 * kMskLength)
                                               : m_engine->exportKeyingMaterial(keyLabel(), {}, false, kMskLength);
    if (msk.size() < kMskLength)
        return {};
    return {msk.left(kMppeKeyLength), msk.mid(kMppeKeyLength, kMppeKeyLength)};
}

bool EapTlsPeer::checkAccept(const radius::PairList &reply, PacketLog &log)
{
    if (!m_engine || !m_engine->isEstablished()) {
        log.error("Access-Accept before the TLS handshake ended");
        return false;
    }
    if (!innerSucceeded(log))
        return false;
    const Keys keys = mppeKeys();
    return mppeKeysMatch(reply, keys.sendKey, keys.receiveKey, "the TLS session", log);
}

} // namespace clients
