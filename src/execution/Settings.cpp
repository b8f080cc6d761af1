#include "execution/Settings.h"

#include "platform/SettingsKey.h"

#include <QGuiApplication>
#include <QPalette>

namespace execution {

namespace {
constexpr quint32 kSystemColorBit = 0x80000000u;

// The window system's colour indexes as the desktop palette paints them here.
QPalette::ColorRole roleOfSystemColor(quint32 index)
{
    switch (index) {
    case 0: return QPalette::Button;          // scroll bar
    case 1:                                   // desktop background: readable on a light pane
    case 2:                                   // active caption
    case 13: return QPalette::Highlight;      // highlight
    case 4: return QPalette::Window;          // menu
    case 5: return QPalette::Base;            // window
    case 8: return QPalette::Text;            // window text
    case 9:
    case 14: return QPalette::HighlightedText;
    case 15: return QPalette::Button;         // button face
    case 16: return QPalette::Dark;           // button shadow
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;          // button highlight
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    case 26: return QPalette::Link;           // hot light
    default: return QPalette::WindowText;
    }
}
} // namespace

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
    auto integer = [&](const char *name, int fallback) {
        return key->readInteger(QLatin1String(name), fallback);
    };
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

QColor Settings::color(MessageClass messageClass) const
{
    return toColor(colorValue(messageClass));
}

QColor Settings::toColor(quint32 value)
{
    if (value & kSystemColorBit) {
        const QPalette palette = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
            ? QGuiApplication::palette()
            : QPalette();
        return palette.color(QPalette::Active, roleOfSystemColor(value & 0xFFFFFFu));
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 Settings::fromColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16);
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
