#pragma once

#include <QStringList>

namespace dictmanager {

// Lists the vendors declared by every file below a directory, depth first, in the order
// the directory lists its entries.
class VendorScanner {
public:
    struct Result {
        QStringList names;
        QStringList unreadable; // files that could not be opened
    };

    static Result scan(const QString &directory);
};

} // namespace dictmanager
