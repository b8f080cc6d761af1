#pragma once

class QComboBox;

namespace taskdef {

// Makes the box an editable list in which typing is not choosing: typed text is never
// added as an item, and leaving the field (or Enter) keeps it as typed, even when it
// equals an item, without selecting that item or reporting it as chosen. So a box's
// rule runs only when the user picks from the list.
void makeTypedList(QComboBox *combo);

} // namespace taskdef
