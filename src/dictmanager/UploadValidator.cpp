#include "dictmanager/UploadValidator.h"
#include "dictmanager/GlossorText.h"

#include "dictformat/DictionaryLine.h"
#include "dictmanager/DictionaryNames.h"
#include "dictmanager/FileEncoding.h"
#include "dictmanager/InstalledVendors.h"

namespace dictmanager {

UploadValidator::Result UploadValidator::validate(const QString &path, const QStringList &vendorList,
                                                  const InstalledVendors &installed, QString &uploadVendor)
{
    Result result;
    const std::optional<QByteArray> bytes = dictformat::DictionaryLineReader::readFile(path);
    if (!bytes) {
        result.messages << glossorText("ValidateFailed", "Validate dictionary file fail!");
        return result;
    }
    result.opened = true;
    result.ok = true;
    const FileEncoding encoding = FileEncoding::of(*bytes);
    for (const dictformat::DictionaryLine &line : dictformat::DictionaryLineReader::parse(*bytes)) {
        const dictformat::Keyword keyword = line.keyword();
        const qsizetype count = line.fields.size();
        if (keyword == dictformat::Keyword::Attribute || keyword == dictformat::Keyword::Value) {
            if (count < 4) {
                const QString name =
                    keyword == dictformat::Keyword::Attribute ? QStringLiteral("ATTRIBUTE") : QStringLiteral("VALUE");
                result.messages << glossorText("ErrorInLine", "[Error] in the %1 line %2").arg(name).arg(line.number);
                result.ok = false;
            }
        } else if (keyword == dictformat::Keyword::Vendor) {
            const QString vendorError =
                glossorText("ErrorInVendorLine", "[Error] in the VENDOR line %1").arg(line.number);
            if (count < 2) {
                result.messages << vendorError;
                result.ok = false;
                continue;
            }
            const QString name = encoding.decode(line.fields.at(1));
            if (vendorList.indexOf(name, 1) >= 1) {
                result.messages << glossorText("VendorExistsWarning", "[Warn] the vendor have existed");
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
            if (const std::optional<QString> clash = installed.clash(name, encoding.decode(line.fields.value(2)))) {
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
