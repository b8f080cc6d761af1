#pragma once

#include "clients/EapOptions.h"
#include "clients/EapPeerMethod.h"

#include <memory>
#include <string>

namespace clients {

struct PacketTemplate;

// The packet's EAP identity (EAP-Type-Identity, else User-Name) and password
// (EAP-MD5-Password, else User-Password).
struct EapCredentials {
    QByteArray identity;
    QByteArray password;
    static EapCredentials of(const PacketTemplate &packet);
};

// The method -a names for the packet (without -a: EAP-SIM when the packet holds triplets
// or EAP-Type-SIM, else EAP-MD5); null with the reason when the packet or the files do
// not allow it.
std::unique_ptr<EapPeerMethod> makeEapPeer(const EapOptions &options, const PacketTemplate &packet, std::string &error);

} // namespace clients
