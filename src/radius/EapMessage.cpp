#include "radius/EapMessage.h"

#include "radius/PairList.h"
#include "radius/fr_api.h"

namespace radius {

QByteArray EapMessage::encode() const
{
    QByteArray out(data.size() + 5, '\0');
    const size_t length =
        pr_eap_encode(code, id, type, reinterpret_cast<const uint8_t *>(data.constData()), size_t(data.size()),
                      reinterpret_cast<uint8_t *>(out.data()), size_t(out.size()));
    out.resize(qsizetype(length));
    return out;
}

std::optional<EapMessage> EapMessage::parse(const QByteArray &octets)
{
    pr_eap_view view{};
    if (pr_eap_decode(reinterpret_cast<const uint8_t *>(octets.constData()), size_t(octets.size()), &view, nullptr, 0)
        < 0)
        return std::nullopt;
    EapMessage message;
    message.code = quint8(view.code);
    message.id = quint8(view.id);
    message.type = quint8(view.type);
    message.data = QByteArray(reinterpret_cast<const char *>(view.data), qsizetype(view.length));
    return message;
}

Status EapMessage::appendTo(PairList &pairs) const
{
    for (const QByteArray &piece : attributeValues(encode()))
        if (Status added = pairs.addOctets(kEapMessageAttribute, 0, piece); !added)
            return added;
    return {};
}

QList<QByteArray> EapMessage::attributeValues(const QByteArray &packet)
{
    QList<QByteArray> pieces;
    for (qsizetype at = 0; at < packet.size(); at += kMaxAttributeValue)
        pieces << packet.mid(at, kMaxAttributeValue);
    return pieces;
}

} // namespace radius
