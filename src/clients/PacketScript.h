#pragma once

#include "radius/PairList.h"

#include <cstdint>
#include <string>
#include <vector>

namespace clients {

// One packet of the file with the code and port it is sent with.
struct PacketTemplate {
    int number = 0; // counted from 1 in file order
    radius::PairList pairs;
    int code = 0;           // Packet-Type in the packet overrides the command line's code
    std::uint16_t port = 0; // Packet-Dst-Port overrides the command line's port
};

// Reads the whole packet file before anything is sent, so that a bad file sends nothing.
class PacketScript {
public:
    // Empty on success, else the message for an "Error:" line naming the file and the line.
    std::string load(const std::string &path, int defaultCode, std::uint16_t defaultPort);
    std::vector<PacketTemplate> &packets() { return m_packets; }

private:
    std::vector<PacketTemplate> m_packets;
};

} // namespace clients
