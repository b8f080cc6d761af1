#pragma once

#include <QString>

namespace dictmanager {

// One of Glossor's texts in the language chosen in Pellion: section [Glossor] of the
// language file, or the built-in English.
QString glossorText(const char *key, const char *builtIn);

} // namespace dictmanager
