#include "radius/RequestPacket.h"

#include "radius/fr_api.h"

#include <new>

namespace radius {

void RequestPacket::Free::operator()(pr_packet *p) const
{
    pr_packet_free(p);
}

RequestPacket::RequestPacket(Authenticator authenticator)
    : m_packet(pr_packet_new(authenticator == Authenticator::Random ? 1 : 0))
{
    if (!m_packet)
        throw std::bad_alloc();
    if (authenticator == Authenticator::Zero)
        setAuthenticator(QByteArray(16, '\0'));
}

RequestPacket::RequestPacket(Adopt, pr_packet *adopted) : m_packet(adopted)
{
}

unsigned RequestPacket::code() const
{
    return pr_packet_code(m_packet.get());
}
void RequestPacket::setCode(unsigned code)
{
    pr_packet_set_code(m_packet.get(), code);
}
int RequestPacket::id() const
{
    return pr_packet_id(m_packet.get());
}
void RequestPacket::setId(int id)
{
    pr_packet_set_id(m_packet.get(), id);
}

QByteArray RequestPacket::authenticator() const
{
    QByteArray out(16, '\0');
    pr_packet_vector(m_packet.get(), reinterpret_cast<uint8_t *>(out.data()));
    return out;
}

void RequestPacket::setAuthenticator(const QByteArray &sixteenOctets)
{
    QByteArray v = sixteenOctets.left(16);
    v.resize(16, '\0');
    pr_packet_set_vector(m_packet.get(), reinterpret_cast<const uint8_t *>(v.constData()));
}

quint16 RequestPacket::dstPort() const
{
    return pr_packet_dst_port(m_packet.get());
}

void RequestPacket::setDestination(quint32 ipv4NetworkOrder, quint16 port)
{
    m_address = ipv4NetworkOrder;
    pr_packet_set_dst(m_packet.get(), ipv4NetworkOrder, port);
}

void RequestPacket::setDstPort(quint16 port)
{
    pr_packet_set_dst(m_packet.get(), m_address, port);
}

Result<QByteArray> RequestPacket::encode(const QByteArray &secret)
{
    char err[512] = {};
    if (pr_packet_encode(m_packet.get(), m_pairs.handle(), secret.constData(), err, sizeof err) < 0)
        return Result<QByteArray>::failure(QString::fromUtf8(err));
    return octets();
}

QByteArray RequestPacket::octets() const
{
    size_t length = 0;
    const uint8_t *data = pr_packet_data(m_packet.get(), &length);
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(length));
}

Result<RequestPacket> RequestPacket::parseReply(const QByteArray &datagram)
{
    char err[512] = {};
    pr_packet *reply = pr_reply_parse(reinterpret_cast<const uint8_t *>(datagram.constData()), size_t(datagram.size()),
                                      err, sizeof err);
    if (!reply)
        return Result<RequestPacket>::failure(QString::fromUtf8(err));
    return RequestPacket(Adopt{}, reply);
}

Status RequestPacket::verifyReply(const RequestPacket &request, const QByteArray &secret)
{
    char err[512] = {};
    pr_pairs *decoded = pr_reply_verify(m_packet.get(), request.m_packet.get(), secret.constData(), err, sizeof err);
    if (!decoded)
        return Status::failure(QString::fromUtf8(err));
    m_pairs = PairList::adopt(decoded);
    return {};
}

QString RequestPacket::codeName(unsigned code)
{
    const char *name = pr_code_name(code);
    return name ? QString::fromUtf8(name) : QString::number(code);
}

bool RequestPacket::requiresMessageAuthenticator(unsigned code)
{
    constexpr unsigned statusServer = 12;
    return code == statusServer;
}

Result<QByteArray> RequestPacket::chapResponse(int chapId, const QByteArray &password)
{
    char err[512] = {};
    QByteArray out(17, '\0');
    if (pr_packet_chap(m_packet.get(), m_pairs.handle(), chapId, password.constData(),
                       reinterpret_cast<uint8_t *>(out.data()), err, sizeof err)
        < 0)
        return Result<QByteArray>::failure(QString::fromUtf8(err));
    return out;
}

} // namespace radius
