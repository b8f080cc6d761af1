#include "platform/CurrentLanguage.h"

#include "platform/ProgramDirectory.h"
#include "platform/SettingsKey.h"

namespace platform {

const QString CurrentLanguage::kKeyName = QStringLiteral("PellionLanguage");
const QString CurrentLanguage::kValueName = QStringLiteral("Language");

QString CurrentLanguage::currentName()
{
    const std::optional<SettingsKey> key = SettingsKey::open(kKeyName, false);
    if (!key)
        return QStringLiteral("English");
    return key->readString(kValueName, QString());
}

bool CurrentLanguage::setCurrentName(const QString &name)
{
    std::optional<SettingsKey> key = SettingsKey::open(kKeyName, true);
    if (!key)
        return false;
    key->writeString(kValueName, name);
    return key->commit();
}

QString CurrentLanguage::directory()
{
    return ProgramDirectory::filePath(QStringLiteral("Language/"));
}

LanguageFile CurrentLanguage::currentFile()
{
    return LanguageFile::load(directory() + currentName() + QLatin1String(".ini"));
}

QString CurrentLanguage::text(const char *section, const char *key, const char *builtIn)
{
    return currentFile().text(QString::fromUtf8(section), QString::fromUtf8(key), QString::fromUtf8(builtIn));
}

} // namespace platform
