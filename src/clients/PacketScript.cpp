#include "clients/PacketScript.h"

#include "radius/TransportScriptReader.h"

namespace clients {

std::string PacketScript::load(const std::string &path, int defaultCode, std::uint16_t defaultPort)
{
    m_packets.clear();
    radius::TransportScriptReader reader;
    if (const std::string error = reader.open(path); !error.empty())
        return "Cannot open packet file " + path + ": " + error;
    for (;;) {
        auto result = reader.next();
        if (result.status == radius::TransportScriptReader::Status::End) break;
        if (result.status == radius::TransportScriptReader::Status::Failed) {
            m_packets.clear();
            return "Packet file " + path + " line " + std::to_string(result.line) + ": " + result.error;
        }
        PacketTemplate packet;
        packet.number = static_cast<int>(m_packets.size()) + 1;
        packet.code = defaultCode;
        packet.port = defaultPort;
        if (auto type = result.pairs.integer("Packet-Type")) packet.code = static_cast<int>(*type & 0xff);
        if (auto port = result.pairs.integer("Packet-Dst-Port"); port && (*port & 0xffff) != 0)
            packet.port = static_cast<std::uint16_t>(*port & 0xffff);
        if (packet.code == 0) {
            m_packets.clear();
            return "Packet file " + path + " line " + std::to_string(result.line) + ": packet " +
                   std::to_string(packet.number) + " sets no Packet-Type and the command line gives no code";
        }
        packet.pairs = std::move(result.pairs);
        m_packets.push_back(std::move(packet));
    }
    if (m_packets.empty()) return "Packet file " + path + " line 1: no packets in the file";
    return {};
}

} // namespace clients
