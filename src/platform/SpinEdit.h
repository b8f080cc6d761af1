#pragma once

#include <QSpinBox>

namespace platform {

// An integer field with spin buttons: a typed value beyond the bounds is brought to the
// nearest bound when the field is left; an emptied field stays empty when it is left, so
// that the checks can tell it apart, and reads as the lower bound.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(int minimum, int maximum, int initial, QWidget *parent = nullptr);

    int readValue() const;
    QString typedText() const { return cleanText().trimmed(); }
    QLineEdit *editor() const { return lineEdit(); }
};

} // namespace platform
