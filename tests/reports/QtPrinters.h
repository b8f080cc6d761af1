#pragma once

// Readable failure output for the Qt types these tests compare.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList &lines, std::ostream *out)
{
    *out << "\n";
    for (const QString &line : lines)
        *out << "  |" << line.toStdString() << "|\n";
}

inline void PrintTo(const QByteArray &octets, std::ostream *out)
{
    *out << "0x" << octets.toHex().toStdString();
}
QT_END_NAMESPACE
