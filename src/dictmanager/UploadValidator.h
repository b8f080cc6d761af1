#pragma once

#include <QString>
#include <QStringList>

namespace dictmanager {

class InstalledVendors;

// Checks a file offered for upload by counting the tokens of its lines; every faulty line
// is reported with its number, up to the end or up to the first vendor already listed.
class UploadValidator {
public:
    struct Result {
        bool opened = false;
        bool ok = false;
        bool vendorRecorded = false; // a new vendor name was found and is the upload vendor
        QStringList messages;
    };

    // vendorList is the window's list (placeholder first); a vendor of the installed
    // dictionaries is refused too. uploadVendor takes the last new vendor name found and
    // keeps its value when none is found.
    static Result validate(const QString &path, const QStringList &vendorList, const InstalledVendors &installed,
                           QString &uploadVendor);
};

} // namespace dictmanager
