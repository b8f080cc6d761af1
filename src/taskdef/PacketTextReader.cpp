#include "taskdef/PacketTextReader.h"

#include "taskdef/ScriptLineParser.h"

#include <QFile>

#include <cstdio>

namespace taskdef {

void PacketTextReader::stop(const QString &message)
{
    m_error = message;
    m_errorLine = m_line;
    m_atEnd = true;
    // The diagnostics of the file's readers go to the standard error stream.
    if (m_reportsToStandardError)
        std::fprintf(stderr, "Error: %s\n", message.toLocal8Bit().constData());
}

std::optional<ScriptPacket> PacketTextReader::readNextPacket()
{
    ScriptPacket packet;
    while (!m_atEnd) {
        if (m_device->atEnd()) {
            m_atEnd = true;
            break;
        }
        QByteArray line = m_device->readLine(MaxLineLength + 2);
        ++m_line;
        const bool complete = line.endsWith('\n');
        if (complete)
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        // A longer line would be cut in two by the client; refuse it rather than guess.
        if (!complete && !m_device->atEnd()) {
            stop(QStringLiteral("Line longer than %1 characters").arg(MaxLineLength));
            return std::nullopt;
        }
        if (line.size() > MaxLineLength) {
            stop(QStringLiteral("Line longer than %1 characters").arg(MaxLineLength));
            return std::nullopt;
        }
        if (line.isEmpty()) {
            if (!packet.isEmpty())
                return packet;
            continue;
        }
        if (line.startsWith('#'))
            continue;
        ScriptLineParser::Outcome outcome = ScriptLineParser::parse(line);
        if (!outcome.ok()) {
            stop(outcome.error);
            return std::nullopt;
        }
        for (ScriptPair &pair : outcome.pairs)
            pair.line = m_line;
        packet.append(outcome.pairs);
    }
    if (!packet.isEmpty())
        return packet;
    return std::nullopt;
}

std::optional<QList<ScriptPacket>> PacketTextReader::readFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    PacketTextReader reader(&file);
    QList<ScriptPacket> packets;
    while (!reader.atEnd()) {
        auto packet = reader.readNextPacket();
        if (!packet)
            break;
        packets.append(std::move(*packet));
    }
    if (error)
        *error = reader.error();
    return packets;
}

} // namespace taskdef
