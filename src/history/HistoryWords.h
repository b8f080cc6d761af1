#pragma once

#include "platform/LanguageFile.h"

#include <QString>

namespace history {

// A text of the run history's section of the language file, with its English default.
struct Words {
    const char *key;
    const char *english;
};

inline QString historyText(const platform::LanguageFile &file, const Words &words)
{
    return file.text(QStringLiteral("frmRunHistory"), QString::fromLatin1(words.key),
                     QString::fromLatin1(words.english));
}

} // namespace history
