#pragma once

#include <QString>

namespace textcolumns {

// Columns a text takes in a fixed-width font: East Asian wide and full-width characters
// (Chinese among them) two, combining marks and invisible format characters none, every
// other character one.
qsizetype columnsOf(const QString &text);

// The text with blanks on the right up to `columns` columns; never cut.
QString padToColumns(const QString &text, qsizetype columns);

} // namespace textcolumns
