#pragma once

class QLineEdit;

namespace platform {

// Lets only digits be typed into a field: every other typed character is discarded,
// backspace included, while Delete, the arrows and replacing a selection still work.
// Pasted text that is not all digits is refused as well.
class DigitKeyFilter {
public:
    static void install(QLineEdit *edit);
};

} // namespace platform
