#pragma once

#include "platform/CurrentLanguage.h"

#include <span>

class QWidget;

namespace platform {

// One localised text of a window: the language file's section and key, the built-in
// English text, and the control it goes to when that is not the key's own control
// (the part of the key before the first '.'). The key "Title", or a control named
// as the window itself (its objectName, e.g. "frmTask"), goes to the window's title.
struct TextEntry {
    const char *section;
    const char *key;
    const char *builtIn;
    const char *control = nullptr;
};

// The current language, applied to the controls of windows.
class Language : public CurrentLanguage {
public:
    // Applies every entry to the window's controls, found by object name. Captions go
    // to a QAction's text, a QMenu's title, a button's or label's text, a group box's
    // title, a tab page's tab text, or the window's title.
    static void apply(QWidget *window, std::span<const TextEntry> entries, const LanguageFile &file);
    static void apply(QWidget *window, std::span<const TextEntry> entries);
};

} // namespace platform
