#pragma once

#include <QString>

namespace dictmanager {

// The fixed texts of the window: the file format shown on the upload page and the help page.
class FormatTexts {
public:
    static QString uploadDescription();
    static QString help();
};

} // namespace dictmanager
