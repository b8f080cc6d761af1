#pragma once

#include "clients/EapPeerMethod.h"
#include "radius/Crypto.h"

#include <QByteArray>

namespace clients {

// RFC 1994: MD5(identifier | secret | challenge), sent as a 16-octet value.
class EapMd5Peer : public EapPeerMethod {
public:
    explicit EapMd5Peer(QByteArray password) : m_password(std::move(password)) {}
    quint8 type() const override { return radius::EapMessage::Md5Challenge; }
    std::optional<radius::EapMessage> respond(const radius::EapMessage &request, PacketLog &,
                                              std::string &error) override
    {
        const qsizetype challengeLength = request.data.isEmpty() ? 0 : quint8(request.data[0]);
        if (request.data.isEmpty() || challengeLength + 1 > request.data.size()) {
            error = "malformed EAP-MD5 challenge";
            return std::nullopt;
        }
        const QByteArray input = QByteArray(1, char(request.id)) + m_password + request.data.mid(1, challengeLength);
        const QByteArray digest = radius::Crypto::md5(input);
        return radius::EapMessage{radius::EapMessage::Response, request.id, radius::EapMessage::Md5Challenge,
                                  QByteArray(1, char(digest.size())) + digest};
    }
    bool checkAccept(const radius::PairList &, PacketLog &) override { return true; }

private:
    QByteArray m_password;
};

} // namespace clients
