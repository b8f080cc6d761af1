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

unsigned RequestPacket::code() const { return pr_packet_code(m_packet.get()); }
void RequestPacket::setCode(unsigned code) { pr_packet_set_code(m_packet.get(), code); }
int RequestPacket::id() const { return pr_packet_id(m_packet.get()); }
void RequestPacket::setId(int id) { pr_packet_set_id(m_packet.get(), id); }

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

quint16 RequestPacket::dstPort() const { return pr_packet_dst_port(m_packet.get()); }

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
    size_t length = 0;
    const uint8_t *data = pr_packet_data(m_packet.get(), &length);
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(length));
}

Result<QByteArray> RequestPacket::chapResponse(int chapId, const QByteArray &password)
{
    char err[512] = {};
    QByteArray out(17, '\0');
    if (pr_packet_chap(m_packet.get(), m_pairs.handle(), chapId, password.constData(),
                       reinterpret_cast<uint8_t *>(out.data()), err, sizeof err) < 0)
        return Result<QByteArray>::failure(QString::fromUtf8(err));
    return out;
}

} // namespace radius
