#pragma once

#include "radius/AttributeInfo.h"
#include "radius/Result.h"

#include <QObject>
#include <QString>

#include <optional>

namespace radius {

// Tells the windows that built lists from the dictionary when it was read again.
class DictionaryEvents : public QObject {
    Q_OBJECT
public:
    static DictionaryEvents &instance();

Q_SIGNALS:
    // The files are about to be changed by another program: a list not built yet is built
    // now, from the files the loaded dictionary was read from.
    void filesAboutToChange();
    // Read again: every list built from it is to be built again.
    void reloaded();
    // The files changed but could not be read again in this process.
    void reloadRefused(const QString &reason);
};

// The library's dictionary, global to the process: loaded before any worker starts, read
// only while pair lists or packets made from it are alive, freed at shut-down.
class Dictionary {
public:
    // dict_init on directory/file. Loading again while loaded is a no-op.
    static Status load(const QString &directory, const QString &file = QStringLiteral("dictionary"));
    // The program directory's dictionary/dictionary.
    static Status loadProgramDictionary();
    static void unload();
    static bool isLoaded();
    // Frees the dictionary and reads the files it was loaded from again, for files changed
    // while the program runs. Refused while pair lists or packets made from it are alive;
    // then the old dictionary stays. Tells DictionaryEvents either way.
    static Status reload();
    // A reload was refused or failed: the files say more than the process knows.
    static bool isStale();

    static std::optional<AttributeInfo> attribute(const QString &name);
    static std::optional<AttributeInfo> attribute(unsigned number, unsigned vendor = 0);
};

} // namespace radius
