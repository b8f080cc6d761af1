#pragma once

#include "radius/EapMessage.h"

#include <QByteArray>

#include <string>
#include <vector>

namespace clients {

// A GSM triplet as the packet file gives it (EAP-Sim-RandN, -SRESN, -KCN).
struct SimTriplet {
    QByteArray rand; // 16 octets
    QByteArray sres; // 4 octets
    QByteArray kc;   // 8 octets
};

// The peer side of EAP-SIM (RFC 4186) with full authentication: answers Start with a
// nonce and the selected version, checks the server's AT_MAC on Challenge and answers
// with its own AT_MAC over the SRES values.
class EapSimPeer {
public:
    EapSimPeer(QByteArray identity, std::vector<SimTriplet> triplets);

    // The response to an EAP-SIM request; none with a reason when it cannot be answered.
    std::optional<radius::EapMessage> respond(const radius::EapMessage &request, std::string &error);

    // MK = SHA1(Identity | n*Kc | NONCE_MT | Version List | Selected Version).
    static QByteArray masterKey(const QByteArray &identity, const std::vector<QByteArray> &kcs, const QByteArray &nonce,
                                const QByteArray &versionList, const QByteArray &selectedVersion);
    // FIPS 186-2 change notice 1 pseudo-random function (RFC 4186 appendix B): 160 octets
    // from a 20-octet key.
    static QByteArray fips186Prf(const QByteArray &key);

private:
    std::optional<radius::EapMessage> start(const radius::EapMessage &request, std::string &error);
    std::optional<radius::EapMessage> challenge(const radius::EapMessage &request, std::string &error);

    QByteArray m_identity;
    std::vector<SimTriplet> m_triplets;
    QByteArray m_nonce;
    QByteArray m_versionList;
    bool m_started = false;
};

} // namespace clients
