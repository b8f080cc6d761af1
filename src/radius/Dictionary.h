#pragma once

#include "radius/AttributeInfo.h"
#include "radius/Result.h"

#include <QString>

#include <optional>

namespace radius {

// The library's dictionary, global to the process: loaded once before any worker
// starts, read only afterwards, freed at shut-down.
class Dictionary {
public:
    // dict_init on directory/file. Loading again while loaded is a no-op.
    static Status load(const QString &directory, const QString &file = QStringLiteral("dictionary"));
    // The program directory's dictionary/dictionary.
    static Status loadProgramDictionary();
    // Frees it; libfreeradius cannot load it again afterwards, so a later load() fails.
    static void unload();
    static bool isLoaded();

    static std::optional<AttributeInfo> attribute(const QString &name);
    static std::optional<AttributeInfo> attribute(unsigned number, unsigned vendor = 0);
};

} // namespace radius
