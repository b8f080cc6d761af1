#include "platform/ManualRunText.h"

#include "platform/CurrentLanguage.h"

namespace platform {

QString manualRunText()
{
    return CurrentLanguage::text("lvwTask_Column", "Manually", "Manually");
}

} // namespace platform
