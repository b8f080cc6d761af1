#include "shell/TaskListOrder.h"

namespace shell {

namespace {
char16_t folded(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c;
}
} // namespace

int compareListTexts(const QString &a, const QString &b)
{
    const qsizetype common = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t x = folded(a.at(i).unicode());
        const char16_t y = folded(b.at(i).unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

TaskListOrder::TaskListOrder()
{
    m_marks[0] = Mark::Up;
}

bool TaskListOrder::headerClicked(int column)
{
    m_ascending = !m_ascending;
    const Mark next = m_marks.at(size_t(column)) == Mark::Up ? Mark::Down : Mark::Up;
    m_marks.fill(Mark::None);
    m_marks.at(size_t(column)) = next;
    m_column = column;
    return m_ascending;
}

} // namespace shell
