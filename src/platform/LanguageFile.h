#pragma once

#include <QHash>
#include <QString>

namespace platform {

// An INI file of texts, read as the profile-string functions read it: "[Section]" lines
// open sections, "Key=Value" lines give texts; section and key names match without
// regard to case; values are used exactly as read (blanks at the ends trimmed, as the
// platform does). A missing file, section or key gives the caller's default.
class LanguageFile {
public:
    LanguageFile() = default;
    static LanguageFile load(const QString &path);
    static LanguageFile parse(const QByteArray &content);

    QString text(const QString &section, const QString &key, const QString &builtIn) const;
    bool isEmpty() const { return m_values.isEmpty(); }

private:
    QHash<QString, QString> m_values; // "section\nkey", both lower-cased
};

} // namespace platform
