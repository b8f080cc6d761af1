#include "radius/DictionaryFileReader.h"

#include "platform/ProgramDirectory.h"

#include <QFileInfo>

#include <algorithm>

namespace radius {

namespace {
using dictformat::DictionaryLine;
using dictformat::DictionaryLineReader;
using dictformat::Keyword;

QByteArray lowered(const QByteArray &v)
{
    return v.toLower();
}

QString latin1(const QByteArray &v)
{
    return QString::fromLatin1(v);
}
} // namespace

DictionaryCatalog DictionaryFileReader::read(const QString &mainFile)
{
    DictionaryFileReader reader;
    if (!QFileInfo::exists(mainFile))
        reader.problem(mainFile, 0, QStringLiteral("cannot open the file"));
    else
        dictformat::DictionaryTree::walk(mainFile, reader);
    reader.finish();
    return std::move(reader.m_catalog);
}

DictionaryCatalog DictionaryFileReader::readProgramDictionary()
{
    return read(platform::ProgramDirectory::filePath(QStringLiteral("dictionary/dictionary")));
}

void DictionaryFileReader::problem(const QString &path, int lineNumber, const QString &text)
{
    m_catalog.m_problems.append(lineNumber > 0 ? QStringLiteral("%1:%2: %3").arg(path).arg(lineNumber).arg(text)
                                               : QStringLiteral("%1: %2").arg(path, text));
}

// Each file starts outside any vendor block, as in the library.
void DictionaryFileReader::beginFile(const QString &)
{
    m_outerBlocks.append(m_blockVendor);
    m_blockVendor = 0;
}

void DictionaryFileReader::endFile(const QString &)
{
    m_blockVendor = m_outerBlocks.takeLast();
}

void DictionaryFileReader::line(const QString &path, const DictionaryLine &line)
{
    const QByteArrayList &f = line.fields;
    const qsizetype n = f.size();
    switch (line.keyword()) {
    case Keyword::Vendor: {
        const auto number = n >= 3 ? DictionaryLineReader::vendorNumber(f[2]) : std::nullopt;
        if (!number || *number > 0xffffffU) {
            problem(path, line.number, QStringLiteral("bad VENDOR line"));
            return;
        }
        const QByteArray key = lowered(f[1]);
        if (m_vendorByName.contains(key))
            return;
        m_vendorByName.insert(key, *number);
        m_definedVendors.append({latin1(f[1]), *number});
        break;
    }
    case Keyword::BeginVendor: {
        const auto it = n >= 2 ? m_vendorByName.constFind(lowered(f[1])) : m_vendorByName.constEnd();
        if (it == m_vendorByName.constEnd()) {
            problem(path, line.number, QStringLiteral("unknown vendor in BEGIN-VENDOR"));
            return;
        }
        m_blockVendor = *it;
        break;
    }
    case Keyword::EndVendor: m_blockVendor = 0; break;
    case Keyword::Attribute: {
        const auto number = n >= 4 ? DictionaryLineReader::number(f[2]) : std::nullopt;
        if (!number) {
            problem(path, line.number, QStringLiteral("bad ATTRIBUTE line"));
            return;
        }
        quint32 vendor = m_blockVendor;
        // An old-style fifth field names the vendor; otherwise it holds flags.
        if (n >= 5) {
            const auto it = m_vendorByName.constFind(lowered(f[4]));
            if (it != m_vendorByName.constEnd())
                vendor = *it;
        }
        const QByteArray key = lowered(f[1]);
        if (m_attributeByName.contains(key))
            return;
        m_attributeByName.insert(key, int(m_attributes.size()));
        m_attributes.append({latin1(f[1]), *number, latin1(f[2]), vendor, latin1(f[3])});
        break;
    }
    case Keyword::Value: {
        const auto number = n >= 4 ? DictionaryLineReader::number(f[3]) : std::nullopt;
        if (!number) {
            problem(path, line.number, QStringLiteral("bad VALUE line"));
            return;
        }
        m_rawValues.append({lowered(f[1]), latin1(f[2]), qint64(*number)});
        break;
    }
    default: break;
    }
}

void DictionaryFileReader::finish()
{
    m_catalog.m_vendors.reserve(m_definedVendors.size());
    std::reverse_copy(m_definedVendors.cbegin(), m_definedVendors.cend(), std::back_inserter(m_catalog.m_vendors));

    // Attributes grouped by vendor, each group in name order without regard to case.
    struct Keyed {
        quint32 vendor;
        QString folded;
        int index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(m_attributes.size()));
    for (int i = 0; i < m_attributes.size(); ++i)
        keyed.push_back({m_attributes[i].vendor, m_attributes[i].name.toCaseFolded(), i});
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        if (a.vendor != b.vendor)
            return a.vendor < b.vendor;
        return a.folded < b.folded;
    });
    m_catalog.m_attributes.reserve(m_attributes.size());
    for (const Keyed &k : keyed) {
        const int position = int(m_catalog.m_attributes.size());
        auto span = m_catalog.m_vendorSpans.find(k.vendor);
        if (span == m_catalog.m_vendorSpans.end())
            m_catalog.m_vendorSpans.insert(k.vendor, {position, position + 1});
        else
            span->second = position + 1;
        m_catalog.m_attributes.append(m_attributes[k.index]);
    }

    // Values may come before their attribute in the files; resolve them at the end.
    QSet<QPair<int, QString>> seen;
    m_catalog.m_values.reserve(m_rawValues.size());
    for (const RawValue &raw : m_rawValues) {
        const auto it = m_attributeByName.constFind(raw.attribute);
        if (it == m_attributeByName.constEnd())
            continue;
        const QPair<int, QString> id(*it, raw.name.toCaseFolded());
        if (seen.contains(id))
            continue;
        seen.insert(id);
        const BrowseAttribute &a = m_attributes[*it];
        m_catalog.m_values.append({raw.name, a.name, a.number, a.oid, a.vendor, raw.value});
    }
    std::stable_sort(m_catalog.m_values.begin(), m_catalog.m_values.end(),
                     [](const BrowseValue &a, const BrowseValue &b) {
                         if (a.vendor != b.vendor)
                             return a.vendor < b.vendor;
                         if (a.attributeNumber != b.attributeNumber)
                             return a.attributeNumber < b.attributeNumber;
                         if (a.attributeOid != b.attributeOid)
                             return a.attributeOid < b.attributeOid;
                         return a.value < b.value;
                     });
}

} // namespace radius
