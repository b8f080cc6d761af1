#pragma once

#include <QString>

namespace dictmanager {

// Hints are written "short|long": the long part goes to the status bar.
class HintText {
public:
    static QString longPart(const QString &hint);
};

} // namespace dictmanager
