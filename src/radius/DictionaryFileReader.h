#pragma once

#include "radius/DictionaryCatalog.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QSet>
#include <QString>

namespace radius {

// Reads the VENDOR, BEGIN-VENDOR/END-VENDOR, ATTRIBUTE and VALUE lines of a FreeRADIUS
// dictionary file and of every file it includes ($INCLUDE, relative to the including
// file; $INCLUDE- when the file may be missing). The library cannot list vendors or
// values, so the packet editor browses what this reader collects.
class DictionaryFileReader {
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

    void readFile(const QString &path, int depth);
    void parseLine(QByteArrayView line, const QString &path, int lineNumber, int depth);
    void finish();
    void problem(const QString &path, int lineNumber, const QString &text);

    DictionaryCatalog m_catalog;
    QList<BrowseVendor> m_definedVendors;          // definition order
    QHash<QByteArray, quint32> m_vendorByName;     // lower-case name
    QHash<QByteArray, int> m_attributeByName;      // lower-case name -> index in m_attributes
    QList<BrowseAttribute> m_attributes;           // definition order
    QList<RawValue> m_rawValues;
    QSet<QString> m_open;                          // files being read, against include loops
    quint32 m_blockVendor = 0;
};

} // namespace radius
