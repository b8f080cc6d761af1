#include "execution/MessageClass.h"

namespace execution {

MessageClass ClassifyLine(const QString &text)
{
    if (text.contains(QLatin1String("Info:")))
        return MessageClass::Info;
    if (text.contains(QLatin1String("Warning:")))
        return MessageClass::Warning;
    if (text.contains(QLatin1String("Error:")))
        return MessageClass::Error;
    if (text.contains(QLatin1String("Total")))
        return MessageClass::Summary;
    return MessageClass::Info;
}

} // namespace execution
