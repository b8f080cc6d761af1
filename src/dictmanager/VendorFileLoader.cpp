#include "dictmanager/VendorFileLoader.h"

#include "dictmanager/DictionaryLineReader.h"
#include "dictmanager/DictionaryModel.h"

namespace dictmanager {

namespace {
// The field after the ones the grammar needs: a vendor's format option or an attribute's
// flags. The library reading the main dictionary ends a line at "#", so that part is no field.
QString optionalField(const QStringList &tokens, qsizetype index)
{
    return index < tokens.size() ? tokens.at(index).section(QLatin1Char('#'), 0, 0) : QString();
}
} // namespace

bool VendorFileLoader::load(const QString &path, DictionaryModel &model)
{
    const std::optional<QString> text = DictionaryLineReader::readFile(path);
    if (!text)
        return false;
    for (const DictionaryLine &line : DictionaryLineReader::parse(*text)) {
        const QStringList &t = line.tokens;
        const QString &keyword = t.at(0);
        // A line short of a token is dropped whole; of the tokens past the needed ones only
        // the next is kept, since a re-saved file without it may no longer load.
        if (t.size() < 3)
            continue;
        if (keyword == QLatin1String("VENDOR")) {
            model.vendorTable.append({t.at(1), t.at(2), optionalField(t, 3)});
            model.vendorCode = t.at(2);
        } else if (keyword == QLatin1String("ATTRIBUTE") && t.size() >= 4) {
            model.attributes.append({t.at(1), t.at(2), t.at(3), optionalField(t, 4)});
            model.attributeList.append(t.at(1));
        } else if (keyword == QLatin1String("VALUE") && t.size() >= 4) {
            model.values.append({t.at(1), t.at(2), t.at(3)});
        }
    }
    return true;
}

} // namespace dictmanager
