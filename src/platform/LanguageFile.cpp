#include "platform/LanguageFile.h"

#include <QFile>

namespace platform {

namespace {
QString keyOf(const QString &section, const QString &key)
{
    return section.trimmed().toLower() + QLatin1Char('\n') + key.trimmed().toLower();
}
} // namespace

LanguageFile LanguageFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.readAll());
}

LanguageFile LanguageFile::parse(const QByteArray &content)
{
    LanguageFile result;
    QString section;
    const QString text = QString::fromUtf8(content);
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            section = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).toString();
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0 || section.isEmpty())
            continue;
        const QString key = keyOf(section, line.left(equals).toString());
        // The first of two equal keys wins, as with the profile functions.
        // A value in double quotes keeps its blanks; the quotes go, as with the profile functions.
        QStringView value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        if (!result.m_values.contains(key))
            result.m_values.insert(key, value.toString());
    }
    return result;
}

QString LanguageFile::text(const QString &section, const QString &key, const QString &builtIn) const
{
    const auto it = m_values.constFind(keyOf(section, key));
    return it == m_values.constEnd() ? builtIn : *it;
}

} // namespace platform
