#pragma once

#include <QString>

namespace reports {

// The printf-style pieces the report lines are made of.
namespace format {

// "%-Ns": padded with blanks on the right to width characters, never cut.
inline QString padRight(const QString &text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '), false);
}

// "%-Nd".
inline QString padRight(int number, int width)
{
    return padRight(QString::number(number), width);
}

// Without leading and trailing blanks and control characters.
inline QString trimmed(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= ' ')
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= ' ')
        --end;
    return text.mid(begin, end - begin);
}

// indent blanks followed by count hyphens.
inline QString rule(int indent, int count)
{
    return QString(indent, QLatin1Char(' ')) + QString(count, QLatin1Char('-'));
}

} // namespace format
} // namespace reports
