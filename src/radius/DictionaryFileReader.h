#pragma once

#include "dictformat/DictionaryTree.h"
#include "radius/DictionaryCatalog.h"

#include <QByteArray>
#include <QHash>
#include <QString>

namespace radius {

// Reads the VENDOR, BEGIN-VENDOR/END-VENDOR, ATTRIBUTE and VALUE lines of a FreeRADIUS
// dictionary file and of every file it includes, by the library's grammar. The library
// cannot list vendors or values, so the packet editor browses what this reader collects.
class DictionaryFileReader : private dictformat::DictionaryVisitor {
public:
    static DictionaryCatalog read(const QString &mainFile);
    // The program directory's dictionary/dictionary.
    static DictionaryCatalog readProgramDictionary();

private:
    struct RawValue {
        QByteArray attribute;
        QString name;
        qint64 value;
    };

    void beginFile(const QString &path) override;
    void endFile(const QString &path) override;
    void line(const QString &path, const dictformat::DictionaryLine &line) override;
    void problem(const QString &path, int lineNumber, const QString &text) override;
    void finish();

    DictionaryCatalog m_catalog;
    QList<BrowseVendor> m_definedVendors;      // definition order
    QHash<QByteArray, quint32> m_vendorByName; // lower-case name
    QHash<QByteArray, int> m_attributeByName;  // lower-case name -> index in m_attributes
    QList<BrowseAttribute> m_attributes;       // definition order
    QList<RawValue> m_rawValues;
    QList<quint32> m_outerBlocks; // the including files' vendor blocks
    quint32 m_blockVendor = 0;
};

} // namespace radius
