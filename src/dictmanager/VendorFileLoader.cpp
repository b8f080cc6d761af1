#include "dictmanager/VendorFileLoader.h"

#include "dictmanager/DictionaryLineReader.h"
#include "dictmanager/DictionaryModel.h"

namespace dictmanager {

bool VendorFileLoader::load(const QString &path, DictionaryModel &model)
{
    const std::optional<QString> text = DictionaryLineReader::readFile(path);
    if (!text)
        return false;
    for (const DictionaryLine &line : DictionaryLineReader::parse(*text)) {
        const QStringList &t = line.tokens;
        const QString &keyword = t.at(0);
        // A line short of a token is dropped whole; tokens past the needed ones are ignored.
        if (t.size() < 3)
            continue;
        if (keyword == QLatin1String("VENDOR")) {
            model.vendorTable.append({t.at(1), t.at(2)});
            model.vendorCode = t.at(2);
        } else if (keyword == QLatin1String("ATTRIBUTE") && t.size() >= 4) {
            model.attributes.append({t.at(1), t.at(2), t.at(3)});
            model.attributeList.append(t.at(1));
        } else if (keyword == QLatin1String("VALUE") && t.size() >= 4) {
            model.values.append({t.at(1), t.at(2), t.at(3)});
        }
    }
    return true;
}

} // namespace dictmanager
