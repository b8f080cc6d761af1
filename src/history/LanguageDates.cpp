#include "history/LanguageDates.h"

#include "platform/CurrentLanguage.h"
#include "taskstore/DateTimeText.h"

namespace history {

LanguageDates::LanguageDates(const platform::LanguageFile &file)
{
    const QString name = file.text(QStringLiteral("Messages"), QStringLiteral("DateLocale"), QString()).trimmed();
    if (name.isEmpty())
        return;
    const QLocale locale(name);
    // The short date with four-digit years and the long time without its zone, as the
    // regional form is made.
    QString date = locale.dateFormat(QLocale::ShortFormat);
    if (!date.contains(QLatin1String("yyyy")))
        date.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    QString time = locale.timeFormat(QLocale::LongFormat);
    time.remove(QLatin1Char('t'));
    m_own = OwnForm{locale, date, time.trimmed()};
}

LanguageDates LanguageDates::current()
{
    return LanguageDates(platform::CurrentLanguage::currentFile());
}

QString LanguageDates::text(const QDateTime &moment) const
{
    if (!m_own)
        return taskstore::DateTimeText::dateTimeText(moment);
    if (!moment.isValid())
        return {};
    QString date = m_own->locale.toString(moment.date(), m_own->date);
    if (moment.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + m_own->locale.toString(moment.time(), m_own->time);
}

QString LanguageDates::fromRegionalText(const QString &regional) const
{
    if (!m_own)
        return regional;
    const QDateTime moment = taskstore::DateTimeText::parseDateTime(regional);
    return moment.isValid() ? text(moment) : regional;
}

QLocale LanguageDates::locale() const
{
    return m_own ? m_own->locale : taskstore::DateTimeText::locale();
}

QString LanguageDates::dateFormat() const
{
    return m_own ? m_own->date : taskstore::DateTimeText::dateFormat();
}

} // namespace history
