#include "radius/DictionaryFileReader.h"

#include "platform/ProgramDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace radius {

namespace {
constexpr int MaxIncludeDepth = 32;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Splits a line into at most 8 fields at blanks; a '#' starts a comment.
int splitFields(QByteArrayView line, QByteArrayView (&fields)[8])
{
    int count = 0;
    const char *p = line.data();
    const char *end = p + line.size();
    while (p < end && count < 8) {
        while (p < end && isBlank(*p))
            ++p;
        if (p == end || *p == '#')
            break;
        const char *start = p;
        while (p < end && !isBlank(*p) && *p != '#')
            ++p;
        fields[count++] = QByteArrayView(start, p - start);
    }
    return count;
}

QByteArray lowered(QByteArrayView v)
{
    return v.toByteArray().toLower();
}

QString latin1(QByteArrayView v)
{
    return QString::fromLatin1(v.data(), v.size());
}

// Numbers as the library reads them: 0x for hexadecimal, decimal otherwise.
std::optional<qint64> parseNumber(QByteArrayView text)
{
    bool ok = false;
    qint64 n = 0;
    if (text.startsWith("0x") || text.startsWith("0X"))
        n = text.sliced(2).toLongLong(&ok, 16);
    else
        n = text.toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

std::optional<quint32> parseAttributeNumber(QByteArrayView oid)
{
    const qsizetype dot = oid.indexOf('.');
    const auto n = parseNumber(dot < 0 ? oid : oid.first(dot));
    if (!n || *n < 0 || *n > 0xffffffffLL)
        return std::nullopt;
    return quint32(*n);
}
} // namespace

DictionaryCatalog DictionaryFileReader::read(const QString &mainFile)
{
    DictionaryFileReader reader;
    if (!QFileInfo::exists(mainFile))
        reader.problem(mainFile, 0, QStringLiteral("cannot open the file"));
    else
        reader.readFile(mainFile, 0);
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

void DictionaryFileReader::readFile(const QString &path, int depth)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (m_open.contains(canonical)) {
        problem(path, 0, QStringLiteral("includes itself"));
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problem(path, 0, file.errorString());
        return;
    }
    const QByteArray content = file.readAll();
    m_open.insert(canonical);
    // Each file starts outside any vendor block, as in the library.
    const quint32 outerVendor = m_blockVendor;
    m_blockVendor = 0;
    int lineNumber = 0;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        if (end < 0)
            end = content.size();
        ++lineNumber;
        parseLine(QByteArrayView(content.constData() + start, end - start), path, lineNumber, depth);
        start = end + 1;
    }
    m_blockVendor = outerVendor;
    m_open.remove(canonical);
}

void DictionaryFileReader::parseLine(QByteArrayView line, const QString &path, int lineNumber, int depth)
{
    QByteArrayView f[8];
    const int n = splitFields(line, f);
    if (n == 0)
        return;
    const QByteArrayView keyword = f[0];

    if (keyword == "$INCLUDE" || keyword == "$INCLUDE-") {
        if (n < 2) {
            problem(path, lineNumber, QStringLiteral("$INCLUDE without a file name"));
            return;
        }
        const QString target = QFileInfo(path).absoluteDir().absoluteFilePath(QString::fromLocal8Bit(f[1].data(), f[1].size()));
        if (!QFileInfo::exists(target)) {
            if (keyword == "$INCLUDE")
                problem(path, lineNumber, QStringLiteral("cannot open %1").arg(target));
            return;
        }
        if (depth >= MaxIncludeDepth) {
            problem(path, lineNumber, QStringLiteral("includes nested too deeply"));
            return;
        }
        readFile(target, depth + 1);
    } else if (keyword == "VENDOR") {
        const auto number = n >= 3 ? parseNumber(f[2]) : std::nullopt;
        if (!number || *number < 0 || *number > 0xffffffLL) {
            problem(path, lineNumber, QStringLiteral("bad VENDOR line"));
            return;
        }
        const QByteArray key = lowered(f[1]);
        if (m_vendorByName.contains(key))
            return;
        m_vendorByName.insert(key, quint32(*number));
        m_definedVendors.append({latin1(f[1]), quint32(*number)});
    } else if (keyword == "BEGIN-VENDOR") {
        const auto it = n >= 2 ? m_vendorByName.constFind(lowered(f[1])) : m_vendorByName.constEnd();
        if (it == m_vendorByName.constEnd()) {
            problem(path, lineNumber, QStringLiteral("unknown vendor in BEGIN-VENDOR"));
            return;
        }
        m_blockVendor = *it;
    } else if (keyword == "END-VENDOR") {
        m_blockVendor = 0;
    } else if (keyword == "ATTRIBUTE") {
        const auto number = n >= 4 ? parseAttributeNumber(f[2]) : std::nullopt;
        if (!number) {
            problem(path, lineNumber, QStringLiteral("bad ATTRIBUTE line"));
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
        m_attributes.append({latin1(f[1]), *number, latin1(f[2]), vendor,
                             latin1(f[3])});
    } else if (keyword == "VALUE") {
        const auto number = n >= 4 ? parseNumber(f[3]) : std::nullopt;
        if (!number) {
            problem(path, lineNumber, QStringLiteral("bad VALUE line"));
            return;
        }
        m_rawValues.append({lowered(f[1]), latin1(f[2]), *number});
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
