#pragma once

#include <QByteArray>
#include <QString>

#include <ostream>

// Readable failure output for Qt texts (found by argument-dependent lookup).
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray &bytes, std::ostream *out)
{
    *out << '"'
         << QString::fromLatin1(bytes).replace("\r", "\\r").replace("\n", "\\n").replace("\t", "\\t").toStdString()
         << '"';
}
