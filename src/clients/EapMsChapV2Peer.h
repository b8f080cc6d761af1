#pragma once

#include "clients/EapPeerMethod.h"

#include <QByteArray>
#include <QString>

namespace clients {

// EAP-MSCHAPv2 (draft-kamath-pppext-eap-mschapv2): answers the server's challenge with an
// MS-CHAPv2 response, checks the success message's authenticator response, and
// acknowledges a success or a failure. Also the inner method of PEAP.
class EapMsChapV2Peer : public EapPeerMethod {
public:
    static constexpr quint8 kType = 26;

    EapMsChapV2Peer(QByteArray userName, QString password);
    quint8 type() const override { return kType; }
    std::optional<radius::EapMessage> respond(const radius::EapMessage &request, PacketLog &log,
                                              std::string &error) override;
    // The server proved it knows the password; the MPPE keys are the password's.
    bool checkAccept(const radius::PairList &reply, PacketLog &log) override;
    void onReject(const radius::PairList &reply, PacketLog &log) override;

    bool isVerified() const { return m_verified; }
    // Why the server refused: its failure message, else the reply's MS-CHAP-Error, told as
    // a reason; empty when neither says.
    std::string rejection(const radius::PairList &reply) const;

private:
    std::optional<QByteArray> challenge(const QByteArray &data, std::string &error);
    std::optional<QByteArray> success(const QByteArray &data, PacketLog &log, std::string &error);
    QByteArray failure(const QByteArray &data);

    QByteArray m_userName;
    QString m_password;
    QByteArray m_authenticatorChallenge;
    QByteArray m_peerChallenge;
    QByteArray m_ntResponse;
    bool m_verified = false;
    std::string m_rejection;
};

} // namespace clients
