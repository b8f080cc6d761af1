#pragma once

#include "platform/LanguageFile.h"

#include <QString>

namespace platform {

// Qt's own texts (standard buttons, file dialogs, the edit menus of text fields) in the
// chosen language: the language file names Qt's locale under [Language] QtLocale, and Qt's
// translation for it is read from Qt's translations folder. One at a time, for the whole
// program; without one Qt speaks English.
class QtTranslation {
public:
    // In place of the one before; false, with Qt's English, when the file names no locale
    // or Qt has no translation for it.
    static bool use(const LanguageFile &file);
    static bool use(const QString &locale, const QString &directory);
    static QString translationsDirectory();
};

} // namespace platform
