#pragma once

#include "groupfile/GroupDocument.h"

#include <QByteArray>
#include <QString>

namespace groupfile {

// What reading a group file gave: the whole group, or the first error as
// "line 12: <reason>" and no group at all.
struct GroupFileReading {
    GroupDocument document;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Reads the text writeGroupFile writes, and the same edited by hand: blank lines and
// lines starting with '#' are skipped, indentation is free, CR LF line ends are read as
// LF. Every value is checked (names, numbers and their ranges, schedule rules), so a
// file that reads can be stored as it is.
GroupFileReading readGroupFile(const QByteArray &text);

} // namespace groupfile
