#pragma once

#include <QString>

namespace dictmanager {

// Which names may go into file names and dictionary lines. A blank, "#" or a control
// character would split or cut the line when it is read back; "/", "\" and ".." in a
// vendor name would put its file outside the user dictionary directory.
class DictionaryNames {
public:
    // One token of a dictionary line: not empty, no blank, "#" or control character.
    static bool isWord(const QString &text);
    // A word that is also safe as the tail of a file name.
    static bool isVendorName(const QString &name);

    static QString vendorNameRule();
};

} // namespace dictmanager
