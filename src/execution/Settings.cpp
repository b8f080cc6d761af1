#include "execution/Settings.h"

#include "platform/SettingsKey.h"

namespace execution {

QString Settings::keyName()
{
    return QStringLiteral("PellionSet");
}

bool Settings::keyExists()
{
    return platform::SettingsKey::exists(keyName());
}

Settings Settings::read()
{
    Settings s;
    const auto key = platform::SettingsKey::open(keyName(), false);
    if (!key)
        return s;
    auto flag = [&](const char *name, bool fallback) {
        return key->readInteger(QLatin1String(name), fallback ? 1 : 0) != 0;
    };
    auto integer = [&](const char *name, int fallback) { return key->readInteger(QLatin1String(name), fallback); };
    auto colour = [&](const char *name, quint32 fallback) {
        return quint32(key->readInteger(QLatin1String(name), int(fallback)));
    };
    s.Minimized = flag("Minimized", s.Minimized);
    s.HideTray = flag("HideTray", s.HideTray);
    s.DisplaySplash = flag("DisplaySplash", s.DisplaySplash);
    s.WhenClose = integer("WhenClose", s.WhenClose);
    s.LogFileName = key->readString(QStringLiteral("LogFileName"), s.LogFileName);
    s.MaxLogFileSize = integer("MaxLogFileSize", s.MaxLogFileSize);
    s.SummaryClr = colour("SummaryClr", s.SummaryClr);
    s.InfoClr = colour("InfoClr", s.InfoClr);
    s.WarningClr = colour("WarningClr", s.WarningClr);
    s.ErrorClr = colour("ErrorClr", s.ErrorClr);
    s.ThrdPRI = integer("ThrdPRI", s.ThrdPRI);
    return s;
}

bool Settings::write() const
{
    auto key = platform::SettingsKey::open(keyName(), true);
    if (!key)
        return false;
    key->writeInteger(QStringLiteral("Minimized"), Minimized ? 1 : 0);
    key->writeInteger(QStringLiteral("HideTray"), HideTray ? 1 : 0);
    key->writeInteger(QStringLiteral("DisplaySplash"), DisplaySplash ? 1 : 0);
    key->writeInteger(QStringLiteral("WhenClose"), WhenClose);
    key->writeString(QStringLiteral("LogFileName"), LogFileName);
    key->writeInteger(QStringLiteral("MaxLogFileSize"), MaxLogFileSize);
    key->writeInteger(QStringLiteral("SummaryClr"), int(SummaryClr));
    key->writeInteger(QStringLiteral("InfoClr"), int(InfoClr));
    key->writeInteger(QStringLiteral("WarningClr"), int(WarningClr));
    key->writeInteger(QStringLiteral("ErrorClr"), int(ErrorClr));
    key->writeInteger(QStringLiteral("ThrdPRI"), ThrdPRI);
    return key->commit();
}

quint32 Settings::colorValue(MessageClass messageClass) const
{
    switch (messageClass) {
    case MessageClass::Summary: return SummaryClr;
    case MessageClass::Warning: return WarningClr;
    case MessageClass::Error: return ErrorClr;
    case MessageClass::Info: break;
    }
    return InfoClr;
}

QThread::Priority Settings::priorityOf(int thrdPri)
{
    switch (thrdPri) {
    case 0: return QThread::IdlePriority;
    case 1: return QThread::LowestPriority;
    case 2: return QThread::LowPriority;
    case 3: return QThread::NormalPriority;
    case 4: return QThread::HighPriority;
    case 5: return QThread::HighestPriority;
    default: return QThread::TimeCriticalPriority;
    }
}

} // namespace execution
