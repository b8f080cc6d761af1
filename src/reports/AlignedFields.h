#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace reports {

// A block of lines "label: value" whose colons stand in one column, counted as a
// fixed-width font shows them (a Chinese character two columns). A label comes as the
// language file gives it, its blanks and colon (':' or '：') included; the block's column
// is that of the widest label as given, so labels a translation pads alike stay as they are
// and the others are padded before their colon to meet it.
class AlignedFields {
public:
    AlignedFields &field(const QString &label, const QString &value = {});
    // A line within the block that is no field (a note under one), kept as it is.
    AlignedFields &note(const QString &line);

    QStringList lines() const;

private:
    struct Entry {
        QString beforeColon; // empty for a note
        QString fromColon;   // the colon, the rest of the label and the value; a note whole
    };
    QList<Entry> m_entries;
};

} // namespace reports
