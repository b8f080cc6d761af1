#pragma once

#include "platform/DialogService.h"

namespace platform {

// The real dialogs, parented to the active window.
class QtDialogService : public DialogService {
protected:
    Answer showMessage(const MessageRequest &request) override;
    QString askOpenFileName(const FileRequest &request) override;
    QString askSaveFileName(const FileRequest &request) override;
    std::optional<QColor> askColor(const QColor &initial) override;
};

} // namespace platform
