#include "dictmanager/DictionaryPaths.h"

#include "platform/ProgramDirectory.h"

namespace dictmanager {

QString DictionaryPaths::userDirectory()
{
    return platform::ProgramDirectory::filePath(QStringLiteral("dictionary/userdefine"));
}

QString DictionaryPaths::vendorFile(const QString &vendorName)
{
    return userDirectory() + QLatin1String("/dictionary.") + vendorName;
}

QString DictionaryPaths::indexFile()
{
    return userDirectory() + QLatin1String("/dictionary");
}

QString DictionaryPaths::mainDictionary()
{
    return platform::ProgramDirectory::filePath(QStringLiteral("dictionary/dictionary"));
}

} // namespace dictmanager
