#pragma once

#include <QString>

#include <memory>
#include <optional>

class QSettings;

namespace platform {

// A settings key of the current user: one INI file per key under the settings root.
// "The key exists" means its file exists.
class SettingsKey {
public:
    // The root of all keys; defaults to the user's configuration directory + "/Pellion".
    static QString root();
    static void setRoot(const QString &directory); // tests
    static QString filePathOf(const QString &keyName);

    static bool exists(const QString &keyName);
    // Opens an existing key, or creates it when `create` is set; nullopt when absent.
    static std::optional<SettingsKey> open(const QString &keyName, bool create);

    SettingsKey(SettingsKey &&) noexcept;
    SettingsKey &operator=(SettingsKey &&) noexcept;
    ~SettingsKey();

    bool hasValue(const QString &name) const;
    // A value that is missing, or of the other type, gives the default.
    int readInteger(const QString &name, int defaultValue) const;
    QString readString(const QString &name, const QString &defaultValue) const;

    // Writes are collected and reach the file together on commit().
    void writeInteger(const QString &name, int value);
    void writeString(const QString &name, const QString &value);
    // False when the file could not be written; the previous file is then left whole.
    bool commit();

private:
    explicit SettingsKey(const QString &filePath);
    std::unique_ptr<QSettings> m_settings;
};

} // namespace platform
