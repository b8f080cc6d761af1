#include "reports/AlignedFields.h"

#include "textcolumns/DisplayColumns.h"

#include <algorithm>

namespace reports {

namespace {

qsizetype firstColon(const QString &label)
{
    for (qsizetype i = 0; i < label.size(); ++i)
        if (label.at(i) == u':' || label.at(i) == u'\uFF1A')
            return i;
    return -1;
}

QString withoutTrailingBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

} // namespace

AlignedFields &AlignedFields::field(const QString &label, const QString &value)
{
    const qsizetype colon = firstColon(label);
    if (colon <= 0)
        return note(label + value);
    m_entries.append({label.left(colon), label.mid(colon) + value});
    return *this;
}

AlignedFields &AlignedFields::note(const QString &line)
{
    m_entries.append({QString(), line});
    return *this;
}

QStringList AlignedFields::lines() const
{
    qsizetype column = 0;
    for (const Entry &entry : m_entries)
        column = std::max(column, textcolumns::columnsOf(entry.beforeColon));
    QStringList out;
    for (const Entry &entry : m_entries)
        out << (entry.beforeColon.isEmpty()
                    ? entry.fromColon
                    : textcolumns::padToColumns(withoutTrailingBlanks(entry.beforeColon), column) + entry.fromColon);
    return out;
}

} // namespace reports
