#pragma once

#include <QObject>

class QLineEdit;

namespace dictmanager {

// Lets only digits be typed into a field: every other typed character is discarded,
// backspace included, while Delete, the arrows and replacing a selection still work.
// Pasted text that is not all digits is refused as well.
class DigitKeyFilter : public QObject {
    Q_OBJECT
public:
    explicit DigitKeyFilter(QObject *parent = nullptr);
    static void install(QLineEdit *edit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace dictmanager
