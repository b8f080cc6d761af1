#include "execution/LogColors.h"

#include "execution/Settings.h"

namespace execution {

LogColors LogColors::from(const Settings &settings)
{
    return {settings.color(MessageClass::Summary), settings.color(MessageClass::Info),
            settings.color(MessageClass::Warning), settings.color(MessageClass::Error)};
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

} // namespace execution
