#pragma once

#include "taskdef/ScriptPair.h"

#include <QIODevice>
#include <QList>
#include <QString>

#include <optional>

namespace taskdef {

using ScriptPacket = QList<ScriptPair>;

// Reads the packets of a packet script file one after another. Packets end at an empty
// line; '#' in the first column starts a comment line; a syntax error ends the reading,
// dropping the packet in progress and all after it.
class PacketTextReader {
public:
    static constexpr qsizetype MaxLineLength = 8191;

    explicit PacketTextReader(QIODevice *device) : m_device(device) {}

    // Off for a caller that reports the error itself (the clients, whose lines end in CR LF).
    void setReportsToStandardError(bool on) { m_reportsToStandardError = on; }

    // The next packet, or nothing; atEnd() is set once the file is exhausted or reading stopped.
    std::optional<ScriptPacket> readNextPacket();
    bool atEnd() const { return m_atEnd; }

    // The syntax error that stopped the reading ("" when none) and its line (from 1).
    const QString &error() const { return m_error; }
    int errorLine() const { return m_errorLine; }

    // Every packet of the file at path; nothing when the file cannot be opened.
    static std::optional<QList<ScriptPacket>> readFile(const QString &path, QString *error = nullptr);

private:
    void stop(const QString &message);

    QIODevice *m_device;
    bool m_atEnd = false;
    int m_line = 0;
    QString m_error;
    int m_errorLine = 0;
    bool m_reportsToStandardError = true;
};

} // namespace taskdef
