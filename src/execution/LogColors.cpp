#include "execution/LogColors.h"

#include "execution/Settings.h"

#include <QGuiApplication>
#include <QPalette>

namespace execution {

namespace {
constexpr quint32 kSystemColorBit = 0x80000000u;

// The window system's colour indexes as the desktop palette paints them here.
QPalette::ColorRole roleOfSystemColor(quint32 index)
{
    switch (index) {
    case 0: return QPalette::Button;     // scroll bar
    case 1:                              // desktop background: readable on a light pane
    case 2:                              // active caption
    case 13: return QPalette::Highlight; // highlight
    case 4: return QPalette::Window;     // menu
    case 5: return QPalette::Base;       // window
    case 8: return QPalette::Text;       // window text
    case 9:
    case 14: return QPalette::HighlightedText;
    case 15: return QPalette::Button; // button face
    case 16: return QPalette::Dark;   // button shadow
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light; // button highlight
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    case 26: return QPalette::Link; // hot light
    default: return QPalette::WindowText;
    }
}
} // namespace

LogColors LogColors::from(const Settings &settings)
{
    return {toColor(settings.SummaryClr), toColor(settings.InfoClr), toColor(settings.WarningClr),
            toColor(settings.ErrorClr)};
}

QColor LogColors::of(MessageClass messageClass) const
{
    switch (messageClass) {
    case MessageClass::Summary: return summary;
    case MessageClass::Warning: return warning;
    case MessageClass::Error: return error;
    case MessageClass::Info: break;
    }
    return info;
}

QColor LogColors::toColor(quint32 value)
{
    if (value & kSystemColorBit) {
        const QPalette palette =
            qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::palette() : QPalette();
        return palette.color(QPalette::Active, roleOfSystemColor(value & 0xFFFFFFu));
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 LogColors::fromColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16);
}

} // namespace execution
