#pragma once

#include <QFont>

namespace textcolumns {

// The fixed-width font for text laid out by columnsOf: one in which a wide character is
// exactly as wide as two narrow ones, so that columns counted in the text stand one above
// the other on the screen. The system's fixed font does not always keep that (its Chinese
// characters come from another font, often 1.6 columns wide): then an installed font that
// does, at the same size; the system's fixed font when none does.
QFont columnFont();

} // namespace textcolumns
