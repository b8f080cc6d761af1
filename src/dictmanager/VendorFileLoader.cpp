#include "dictmanager/VendorFileLoader.h"

#include "dictformat/DictionaryLine.h"
#include "dictmanager/DictionaryModel.h"

namespace dictmanager {

using dictformat::DictionaryLine;
using dictformat::Keyword;

bool VendorFileLoader::load(const QString &path, DictionaryModel &model)
{
    const std::optional<QByteArray> bytes = dictformat::DictionaryLineReader::readFile(path);
    if (!bytes)
        return false;
    model.encoding = FileEncoding::of(*bytes);
    for (const DictionaryLine &line : dictformat::DictionaryLineReader::parse(*bytes)) {
        const auto field = [&](qsizetype index) {
            return index < line.fields.size() ? model.encoding.decode(line.fields.at(index)) : QString();
        };
        // A line short of a field is dropped whole; of the fields past the needed ones only
        // the next is kept, since a re-saved file without it may no longer load.
        const qsizetype count = line.fields.size();
        switch (line.keyword()) {
        case Keyword::Vendor:
            if (count < 3)
                break;
            model.vendorTable.append({field(1), field(2), field(3), line.text});
            model.vendorCode = field(2);
            break;
        case Keyword::Attribute:
            if (count < 4)
                break;
            model.attributes.append({field(1), field(2), field(3), field(4), line.text});
            model.attributeList.append(field(1));
            break;
        case Keyword::Value:
            if (count < 4)
                break;
            model.values.append({field(1), field(2), field(3), line.text});
            break;
        default: break;
        }
    }
    return true;
}

} // namespace dictmanager
