#pragma once

#include "platform/LanguageFile.h"

#include <QString>

namespace platform {

// The current language (settings key "PellionLanguage", value "Language") and its file
// "Language/<name>.ini" in the program directory, read fresh on every call.
class CurrentLanguage {
public:
    static const QString kKeyName;   // "PellionLanguage"
    static const QString kValueName; // "Language"

    // "English" when the key cannot be opened; empty when it has no value.
    static QString currentName();
    static bool setCurrentName(const QString &name);
    static QString directory(); // "<program directory>/Language/"
    static LanguageFile currentFile();

    // A single text of the current language.
    static QString text(const char *section, const char *key, const char *builtIn);
};

} // namespace platform
