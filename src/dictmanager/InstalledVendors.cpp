#include "dictmanager/InstalledVendors.h"

#include "dictformat/DictionaryTree.h"

#include <QFileInfo>

namespace dictmanager {

namespace {
// Collects the VENDOR lines of the installed files.
class VendorCollector : public dictformat::DictionaryVisitor {
public:
    VendorCollector(const QString &skipPrefix, QHash<QString, QString> &names, QHash<uint, QString> &numbers)
        : m_skipPrefix(skipPrefix), m_names(names), m_numbers(numbers)
    {
    }

    bool wants(const QString &canonicalPath) override
    {
        return !canonicalPath.isEmpty() && (m_skipPrefix.isEmpty() || !canonicalPath.startsWith(m_skipPrefix));
    }

    void line(const QString &, const dictformat::DictionaryLine &line) override
    {
        if (line.keyword() != dictformat::Keyword::Vendor || line.fields.size() < 3)
            return;
        const QString name = line.field(1);
        m_names.insert(name.toLower(), name);
        const std::optional<quint32> value = dictformat::DictionaryLineReader::vendorNumber(line.fields.at(2));
        if (value && !m_numbers.contains(*value))
            m_numbers.insert(*value, name);
    }

private:
    QString m_skipPrefix;
    QHash<QString, QString> &m_names;
    QHash<uint, QString> &m_numbers;
};
} // namespace

InstalledVendors InstalledVendors::read(const QString &mainDictionary, const QString &skipDirectory)
{
    InstalledVendors vendors;
    const QString skip = QFileInfo(skipDirectory).canonicalFilePath();
    VendorCollector collector(skip.isEmpty() ? QString() : skip + QLatin1Char('/'), vendors.m_names, vendors.m_numbers);
    dictformat::DictionaryTree::walk(mainDictionary, collector);
    return vendors;
}

std::optional<QString> InstalledVendors::clash(const QString &name, const QString &code) const
{
    if (const auto found = m_names.constFind(name.toLower()); found != m_names.constEnd()) {
        if (*found == name)
            return QStringLiteral("The vendor name \"%1\" is already defined by the installed FreeRADIUS dictionaries.")
                .arg(name);
        return QStringLiteral(
                   "The vendor name \"%1\" is already defined by the installed FreeRADIUS dictionaries as \"%2\".")
            .arg(name, *found);
    }
    if (const std::optional<uint> value = number(code)) {
        if (const auto found = m_numbers.constFind(*value); found != m_numbers.constEnd())
            return QStringLiteral(
                       "The vendor code %1 is already used by the vendor \"%2\" of the installed FreeRADIUS "
                       "dictionaries.")
                .arg(code, *found);
    }
    return std::nullopt;
}

std::optional<uint> InstalledVendors::number(const QString &text)
{
    return dictformat::DictionaryLineReader::vendorNumber(text.toLatin1());
}

} // namespace dictmanager
