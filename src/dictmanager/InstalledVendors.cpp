#include "dictmanager/InstalledVendors.h"

#include "dictmanager/DictionaryLineReader.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace dictmanager {

namespace {
// The library ends a line at "#" wherever it stands.
QStringList fieldsOf(const QStringList &tokens)
{
    QStringList fields;
    for (const QString &token : tokens) {
        const qsizetype hash = token.indexOf(QLatin1Char('#'));
        if (hash < 0) {
            fields << token;
            continue;
        }
        if (hash > 0)
            fields << token.left(hash);
        break;
    }
    return fields;
}

bool isKeyword(const QString &field, const char *keyword)
{
    return field.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}
} // namespace

InstalledVendors InstalledVendors::read(const QString &mainDictionary, const QString &skipDirectory)
{
    InstalledVendors vendors;
    const QString skip = QFileInfo(skipDirectory).canonicalFilePath();
    if (!skip.isEmpty())
        vendors.m_skipPrefix = skip + QLatin1Char('/');
    vendors.readFile(mainDictionary);
    return vendors;
}

void InstalledVendors::readFile(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    // Read once each, so that an include loop ends.
    if (canonical.isEmpty() || m_visited.contains(canonical))
        return;
    m_visited.insert(canonical);
    if (!m_skipPrefix.isEmpty() && canonical.startsWith(m_skipPrefix))
        return;
    const std::optional<QString> text = DictionaryLineReader::readFile(canonical);
    if (!text)
        return;
    const QString directory = QFileInfo(canonical).absolutePath();
    for (const DictionaryLine &line : DictionaryLineReader::parse(*text)) {
        const QStringList fields = fieldsOf(line.tokens);
        if (fields.size() < 2)
            continue;
        if (isKeyword(fields.at(0), "$INCLUDE") || isKeyword(fields.at(0), "$INCLUDE-")) {
            const QString &target = fields.at(1);
            readFile(QDir::isAbsolutePath(target) ? target : directory + QLatin1Char('/') + target);
        } else if (isKeyword(fields.at(0), "VENDOR") && fields.size() >= 3) {
            const QString &name = fields.at(1);
            m_names.insert(name.toLower(), name);
            if (const std::optional<uint> value = number(fields.at(2)); value && !m_numbers.contains(*value))
                m_numbers.insert(*value, name);
        }
    }
}

std::optional<QString> InstalledVendors::clash(const QString &name, const QString &code) const
{
    if (const auto found = m_names.constFind(name.toLower()); found != m_names.constEnd()) {
        if (*found == name)
            return QStringLiteral("The vendor name \"%1\" is already defined by the installed FreeRADIUS dictionaries.")
                .arg(name);
        return QStringLiteral("The vendor name \"%1\" is already defined by the installed FreeRADIUS dictionaries as \"%2\".")
            .arg(name, *found);
    }
    if (const std::optional<uint> value = number(code)) {
        if (const auto found = m_numbers.constFind(*value); found != m_numbers.constEnd())
            return QStringLiteral("The vendor code %1 is already used by the vendor \"%2\" of the installed FreeRADIUS dictionaries.")
                .arg(code, *found);
    }
    return std::nullopt;
}

std::optional<uint> InstalledVendors::number(const QString &text)
{
    const bool hex = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const QString digits = hex ? text.mid(2) : text;
    if (digits.isEmpty())
        return std::nullopt;
    for (const QChar c : digits) {
        const char16_t u = c.unicode();
        const bool digit = u >= u'0' && u <= u'9';
        const bool letter = (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
        if (!digit && !(hex && letter))
            return std::nullopt;
    }
    bool ok = false;
    const uint value = digits.toUInt(&ok, hex ? 16 : 10);
    return ok ? std::optional<uint>(value) : std::nullopt;
}

} // namespace dictmanager
