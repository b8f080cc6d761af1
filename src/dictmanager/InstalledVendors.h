#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace dictmanager {

// The vendors that the main dictionary declares besides the user dictionaries: those of the
// installed FreeRADIUS dictionaries. A user vendor that repeats one of their names with
// another number (the library compares names regardless of case) fails the load of the whole
// main dictionary; one that repeats a number turns into that vendor for the library. Both are
// refused.
class InstalledVendors {
public:
    // Follows the "$INCLUDE" lines from the main dictionary file, a relative path taken
    // against the including file's directory. Files below skipDirectory are not read.
    // Files that cannot be read contribute nothing.
    static InstalledVendors read(const QString &mainDictionary, const QString &skipDirectory);

    // Why a vendor of this name and code (the code may be empty) may not be added, or nothing.
    std::optional<QString> clash(const QString &name, const QString &code) const;

    // A vendor number as the library reads it: its leading decimal digits.
    static std::optional<uint> number(const QString &text);

private:
    QHash<QString, QString> m_names; // lower-case name -> as declared
    QHash<uint, QString> m_numbers;  // number -> the first vendor declared with it
};

} // namespace dictmanager
