#pragma once

#include <QString>

namespace dictmanager {

// Where the user dictionaries lie, below the program directory.
class DictionaryPaths {
public:
    static QString userDirectory();                       // without a trailing '/'
    static QString vendorFile(const QString &vendorName); // "…/dictionary." + name
    static QString indexFile();                           // "…/dictionary"
    static QString mainDictionary();                      // the program directory's "dictionary/dictionary"
};

} // namespace dictmanager
