#pragma once

#include "clients/ConsoleOutput.h"

#include <string>

namespace clients {

// The lines one packet of the file writes, each after "Packet N: ".
class PacketLog {
public:
    PacketLog(ConsoleOutput &out, int packetNumber)
        : m_out(out), m_prefix("Packet " + std::to_string(packetNumber) + ": ")
    {
    }
    void info(const std::string &text) { m_out.info(m_prefix + text); }
    void warning(const std::string &text) { m_out.warning(m_prefix + text); }
    void error(const std::string &text) { m_out.error(m_prefix + text); }

private:
    ConsoleOutput &m_out;
    std::string m_prefix;
};

} // namespace clients
