#pragma once

#include "clients/EapMessage.h"

#include <array>
#include <string>
#include <vector>

namespace clients {

// A GSM triplet as the packet file gives it (EAP-Sim-RandN, -SRESN, -KCN).
struct SimTriplet {
    radius::Bytes rand;  // 16 octets
    radius::Bytes sres;  // 4 octets
    radius::Bytes kc;    // 8 octets
};

// The peer side of EAP-SIM (RFC 4186) with full authentication: answers Start with a
// nonce and the selected version, checks the server's AT_MAC on Challenge and answers
// with its own AT_MAC over the SRES values.
class EapSimPeer {
public:
    EapSimPeer(radius::Bytes identity, std::vector<SimTriplet> triplets);

    // The response to an EAP-SIM request; none with a reason when it cannot be answered.
    std::optional<EapMessage> respond(const EapMessage &request, std::string &error);

    // MK = SHA1(Identity | n*Kc | NONCE_MT | Version List | Selected Version).
    static std::array<std::uint8_t, 20> masterKey(const radius::Bytes &identity, const std::vector<radius::Bytes> &kcs,
                                                  const radius::Bytes &nonce, const radius::Bytes &versionList,
                                                  const radius::Bytes &selectedVersion);

private:
    std::optional<EapMessage> start(const EapMessage &request, std::string &error);
    std::optional<EapMessage> challenge(const EapMessage &request, std::string &error);

    radius::Bytes m_identity;
    std::vector<SimTriplet> m_triplets;
    radius::Bytes m_nonce;
    radius::Bytes m_versionList;
    bool m_started = false;
};

} // namespace clients
