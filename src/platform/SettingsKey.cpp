#include "platform/SettingsKey.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSettings>
#include <QStandardPaths>

namespace platform {

namespace {
QMutex s_mutex;
QString s_root;

// Integers carry a marker so that a string value "5" and an integer 5 stay apart, as
// registry value types do.
const QLatin1String kIntegerPrefix("@int:");
} // namespace

QString SettingsKey::root()
{
    QMutexLocker lock(&s_mutex);
    if (!s_root.isEmpty())
        return s_root;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1String("/Pellion");
}

void SettingsKey::setRoot(const QString &directory)
{
    QMutexLocker lock(&s_mutex);
    s_root = directory;
}

QString SettingsKey::filePathOf(const QString &keyName)
{
    return root() + QLatin1Char('/') + keyName + QLatin1String(".ini");
}

bool SettingsKey::exists(const QString &keyName)
{
    return QFileInfo::exists(filePathOf(keyName));
}

std::optional<SettingsKey> SettingsKey::open(const QString &keyName, bool create)
{
    const QString path = filePathOf(keyName);
    if (!QFileInfo::exists(path)) {
        if (!create)
            return std::nullopt;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return std::nullopt;
    }
    return SettingsKey(path);
}

SettingsKey::SettingsKey(const QString &filePath)
    : m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat))
{
}

SettingsKey::SettingsKey(SettingsKey &&) noexcept = default;
SettingsKey &SettingsKey::operator=(SettingsKey &&) noexcept = default;
SettingsKey::~SettingsKey() = default;

bool SettingsKey::hasValue(const QString &name) const
{
    return m_settings->contains(name);
}

int SettingsKey::readInteger(const QString &name, int defaultValue) const
{
    const QString stored = m_settings->value(name).toString();
    if (!stored.startsWith(kIntegerPrefix))
        return defaultValue;
    bool ok = false;
    const qlonglong value = stored.mid(kIntegerPrefix.size()).toLongLong(&ok);
    // Registry integers are 32 bits: larger numbers wrap as they would there.
    return ok ? static_cast<int>(static_cast<quint32>(value)) : defaultValue;
}

QString SettingsKey::readString(const QString &name, const QString &defaultValue) const
{
    if (!m_settings->contains(name))
        return defaultValue;
    const QString stored = m_settings->value(name).toString();
    return stored.startsWith(kIntegerPrefix) ? defaultValue : stored;
}

void SettingsKey::writeInteger(const QString &name, int value)
{
    m_settings->setValue(name, kIntegerPrefix + QString::number(value));
}

void SettingsKey::writeString(const QString &name, const QString &value)
{
    m_settings->setValue(name, value);
}

bool SettingsKey::commit()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

} // namespace platform
