#include "dictmanager/MessageBoxes.h"

#include "platform/DialogService.h"

namespace dictmanager {

using platform::DialogService;
using platform::MessageButtons;
using platform::MessageIcon;

void MessageBoxes::plain(const QString &text)
{
    DialogService::instance().message({text, {}, MessageIcon::None, MessageButtons::Ok});
}

void MessageBoxes::information(const QString &text)
{
    DialogService::instance().message({text, {}, MessageIcon::Information, MessageButtons::Ok});
}

bool MessageBoxes::askOkCancelInformation(const QString &text)
{
    return DialogService::instance().message({text, {}, MessageIcon::Information, MessageButtons::OkCancel})
        == platform::Answer::Ok;
}

} // namespace dictmanager
