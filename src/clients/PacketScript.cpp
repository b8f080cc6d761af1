#include "clients/PacketScript.h"

#include "taskdef/RequestReader.h"

#include <QString>

namespace clients {

namespace {

std::string atLine(const std::string &path, int line, const std::string &text)
{
    return "Packet file " + path + " line " + std::to_string(line) + ": " + text;
}

} // namespace

std::string PacketScript::load(const std::string &path, int defaultCode, std::uint16_t defaultPort)
{
    m_packets.clear();
    // The program's own reader, so that every value the task editor writes reads back the same.
    const taskdef::RequestReader::Outcome read =
        taskdef::RequestReader::read(QString::fromStdString(path), taskdef::RequestReader::Reporting::CallerOnly);
    if (!read.error.isEmpty()) {
        // The packets before the error are not sent either: a bad file sends nothing.
        if (read.errorLine == 0)
            return read.error.toStdString();
        return atLine(path, read.errorLine, read.error.toStdString());
    }
    for (const taskdef::RequestRecord &record : read.records) {
        PacketTemplate packet;
        packet.number = record.number;
        packet.code = record.packet.code() != 0 ? static_cast<int>(record.packet.code() & 0xff) : defaultCode;
        packet.port = record.packet.dstPort() != 0 ? record.packet.dstPort() : defaultPort;
        if (packet.code <= 0) {
            m_packets.clear();
            return atLine(path, record.line,
                          "packet " + std::to_string(packet.number)
                              + " sets no Packet-Type and the command line gives no code");
        }
        packet.pairs = record.packet.pairs().copy();
        m_packets.push_back(std::move(packet));
    }
    if (m_packets.empty())
        return atLine(path, 1, "no packets in the file");
    return {};
}

} // namespace clients
