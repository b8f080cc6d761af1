#pragma once

#include <QString>

namespace dictmanager {

struct DictionaryModel;

// Reads one vendor file into the model, appending; the caller empties the stores first.
class VendorFileLoader {
public:
    // False when the file cannot be opened; the model is then untouched.
    static bool load(const QString &path, DictionaryModel &model);
};

} // namespace dictmanager
