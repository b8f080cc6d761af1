#pragma once

#include <QString>

#include <array>

namespace shell {

// Case-insensitive comparison of list texts: A to Z and a to z fold together, every
// other character compares by its code, and a prefix sorts before the longer text.
// Negative, zero or positive as a is before, equal to or after b.
int compareListTexts(const QString &a, const QString &b);

// The task list's sort state: one direction flag shared by every column, and the header
// marks. A header click flips the flag, whichever column it is on.
class TaskListOrder {
public:
    enum class Mark { None, Up, Down }; // header pictures 5 (Up) and 6 (Down)
    static constexpr int kColumns = 6;  // the five of the list and its last result

    TaskListOrder();

    // Returns true when the list is now to be sorted ascending by `column`.
    bool headerClicked(int column);

    int sortColumn() const { return m_column; }
    bool ascending() const { return m_ascending; }
    Mark mark(int column) const { return m_marks.at(size_t(column)); }

private:
    int m_column = 0;
    bool m_ascending = true;
    std::array<Mark, kColumns> m_marks{};
};

} // namespace shell
