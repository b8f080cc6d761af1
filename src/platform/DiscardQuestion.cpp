#include "platform/DiscardQuestion.h"

#include "platform/DialogService.h"
#include "platform/Language.h"

namespace platform {

bool confirmDiscard()
{
    return DialogService::instance().askYesNo(
        Language::text("Dialog_Common", "DiscardChanges", "Discard your changes?"));
}

} // namespace platform
