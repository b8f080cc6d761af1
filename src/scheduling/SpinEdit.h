#pragma once

#include <QSpinBox>

namespace scheduling {

// An integer field with spin buttons: a typed value beyond the bounds is brought to the
// nearest bound when the field is left; text that is not a number reads as the lower
// bound (the text itself is left as typed, so an emptied field can be told apart).
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(int minimum, int maximum, int initial, QWidget *parent = nullptr);

    int readValue() const;
    QString typedText() const { return cleanText().trimmed(); }
    QLineEdit *editor() const { return lineEdit(); }
};

} // namespace scheduling
