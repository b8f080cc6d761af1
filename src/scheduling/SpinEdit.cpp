#include "scheduling/SpinEdit.h"

#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace scheduling {

SpinEdit::SpinEdit(int minimum, int maximum, int initial, QWidget *parent)
    : QSpinBox(parent)
{
    setRange(minimum, maximum);
    setValue(initial);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

int SpinEdit::readValue() const
{
    bool ok = false;
    const int typed = typedText().toInt(&ok);
    if (!ok)
        return minimum() == std::numeric_limits<int>::min() ? 0 : minimum();
    return std::clamp(typed, minimum(), maximum());
}

} // namespace scheduling
