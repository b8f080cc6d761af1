#pragma once

#include "platform/LanguageFile.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <optional>

namespace history {

// Dates and times as the chosen language writes them. A language file may name the locale
// of its dates ("[Messages] DateLocale", as zh_CN); without one the user's regional
// settings write them, exactly as the stored and logged texts are written. Only the shown
// form changes: what is stored and what schedules read stays in the regional form.
class LanguageDates {
public:
    LanguageDates() = default;
    explicit LanguageDates(const platform::LanguageFile &file);
    static LanguageDates current();

    // Date, one blank, time; the time left out at exactly midnight. Empty for no moment.
    QString text(const QDateTime &moment) const;
    // A moment in the regional text form, in this language's form; other text is kept.
    QString fromRegionalText(const QString &regional) const;
    // The locale and date format the texts above use, for controls that format dates themselves.
    QLocale locale() const;
    QString dateFormat() const;

private:
    struct OwnForm {
        QLocale locale;
        QString date;
        QString time;
    };
    std::optional<OwnForm> m_own;
};

} // namespace history
