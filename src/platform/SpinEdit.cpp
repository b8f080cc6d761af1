#include "platform/SpinEdit.h"

#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace platform {

SpinEdit::SpinEdit(int minimum, int maximum, int initial, QWidget *parent) : QSpinBox(parent)
{
    setRange(minimum, maximum);
    setValue(initial);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    // Connected after the box's own handler: an emptied field is marked as cleared, which
    // leaving it, Enter and hiding it keep, so the checks see it empty. A step or a value
    // set in code brings a number back.
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString &text) {
        if (text.isEmpty())
            clear();
    });
}

int SpinEdit::readValue() const
{
    bool ok = false;
    const int typed = typedText().toInt(&ok);
    if (!ok)
        return minimum() == std::numeric_limits<int>::min() ? 0 : minimum();
    return std::clamp(typed, minimum(), maximum());
}

} // namespace platform
