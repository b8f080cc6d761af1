#pragma once

#include "dictmanager/FileEncoding.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace dictmanager {

struct DictionaryModel;

// The exact texts of the files the dictionary manager writes. Lines end in "\n" here;
// toFileBytes turns each into CR LF. A vendor file comes as the file's octets.
class DictionaryWriter {
public:
    // The two saves differ only in the gap after an attribute name over 30 characters.
    enum class Variant { Switch, Close };

    static QByteArray vendorFile(const DictionaryModel &model, const QString &vendorName, Variant variant);
    static QString newVendorFile(const QString &vendorName, const QString &vendorCode);
    static QString index(const QStringList &vendorList); // entries from position 1 on
    static QString indexLine(const QString &vendorName);

    static QByteArray toFileBytes(const QString &text, const FileEncoding &encoding = {});
};

} // namespace dictmanager
