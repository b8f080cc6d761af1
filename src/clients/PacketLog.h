#pragma once

#include "clients/ConsoleOutput.h"
#include "clients/HeldLines.h"

#include <string>

namespace clients {

// The lines one packet of the file writes, each after "Packet N: ": at once, or held with
// the exchange's other lines until it ends.
class PacketLog {
public:
    PacketLog(ConsoleOutput &out, int packetNumber) : m_out(&out), m_prefix(prefixOf(packetNumber)) {}
    PacketLog(HeldLines &held, int packetNumber) : m_held(&held), m_prefix(prefixOf(packetNumber)) {}
    void info(const std::string &text) { write("Info: " + m_prefix + text); }
    void warning(const std::string &text) { write("Warning: " + m_prefix + text); }
    void error(const std::string &text) { write("Error: " + m_prefix + text); }
    static std::string prefixOf(int packetNumber) { return "Packet " + std::to_string(packetNumber) + ": "; }

private:
    void write(std::string line)
    {
        if (m_held)
            m_held->add(std::move(line));
        else
            m_out->line(line);
    }

    ConsoleOutput *m_out = nullptr;
    HeldLines *m_held = nullptr;
    std::string m_prefix;
};

} // namespace clients
