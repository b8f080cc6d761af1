#include "dictmanager/UploadValidator.h"

#include "dictmanager/DictionaryLineReader.h"
#include "dictmanager/DictionaryNames.h"
#include "dictmanager/InstalledVendors.h"

namespace dictmanager {

UploadValidator::Result UploadValidator::validate(const QString &path, const QStringList &vendorList,
                                                  const InstalledVendors &installed, QString &uploadVendor)
{
    Result result;
    const std::optional<QString> text = DictionaryLineReader::readFile(path);
    if (!text) {
        result.messages << QStringLiteral("Validate dictionary file fail!");
        return result;
    }
    result.opened = true;
    result.ok = true;
    for (const DictionaryLine &line : DictionaryLineReader::parse(*text)) {
        const QString &keyword = line.tokens.at(0);
        const qsizetype count = line.tokens.size();
        if (keyword == QLatin1String("ATTRIBUTE") || keyword == QLatin1String("VALUE")) {
            if (count < 4) {
                result.messages << QStringLiteral("[Error] in the %1 line %2").arg(keyword).arg(line.number);
                result.ok = false;
            }
        } else if (keyword == QLatin1String("VENDOR")) {
            const QString vendorError = QStringLiteral("[Error] in the VENDOR line %1").arg(line.number);
            if (count < 2) {
                result.messages << vendorError;
                result.ok = false;
                continue;
            }
            const QString &name = line.tokens.at(1);
            if (vendorList.indexOf(name, 1) >= 1) {
                result.messages << QStringLiteral("[Warn] the vendor have existed");
                result.ok = false;
                return result;
            }
            // The name becomes a file name: refuse one that would leave the directory.
            if (!DictionaryNames::isVendorName(name)) {
                result.messages << vendorError + QLatin1String(": ") + DictionaryNames::vendorNameRule();
                result.ok = false;
                continue;
            }
            // A vendor of the installed dictionaries: see InstalledVendors.
            if (const std::optional<QString> clash = installed.clash(name, line.tokens.value(2))) {
                result.messages << vendorError + QLatin1String(": ") + *clash;
                result.ok = false;
                continue;
            }
            uploadVendor = name;
            result.vendorRecorded = true;
            if (count < 3) {
                result.messages << vendorError;
                result.ok = false;
            }
        }
    }
    return result;
}

} // namespace dictmanager
