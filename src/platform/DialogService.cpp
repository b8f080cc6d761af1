#include "platform/DialogService.h"

#include "platform/QtDialogService.h"
#include "platform/UiThread.h"

#include <atomic>

namespace platform {

namespace {
std::atomic<DialogService *> s_installed{nullptr};

template <typename Result, typename Call>
Result onUi(Call call)
{
    Result result{};
    synchronize([&] { result = call(); });
    return result;
}
} // namespace

DialogService &DialogService::instance()
{
    if (DialogService *service = s_installed.load())
        return *service;
    static QtDialogService qtService;
    return qtService;
}

void DialogService::install(DialogService *service)
{
    s_installed.store(service);
}

Answer DialogService::message(const MessageRequest &request)
{
    return onUi<Answer>([&] { return showMessage(request); });
}

QString DialogService::openFileName(const FileRequest &request)
{
    return onUi<QString>([&] { return askOpenFileName(request); });
}

QString DialogService::saveFileName(const FileRequest &request)
{
    return onUi<QString>([&] { return askSaveFileName(request); });
}

std::optional<QColor> DialogService::chooseColor(const QColor &initial)
{
    return onUi<std::optional<QColor>>([&] { return askColor(initial); });
}

void DialogService::inform(const QString &text, const QString &title)
{
    message({text, title, title.isEmpty() ? MessageIcon::None : MessageIcon::Information,
             MessageButtons::Ok});
}

void DialogService::showError(const QString &text)
{
    message({text, QStringLiteral("Error"), MessageIcon::Error, MessageButtons::Ok});
}

bool DialogService::askYesNo(const QString &text, const QString &title)
{
    return message({text, title, MessageIcon::Question, MessageButtons::YesNo}) == Answer::Yes;
}

bool DialogService::askOkCancel(const QString &text, const QString &title)
{
    return message({text, title, MessageIcon::Question, MessageButtons::OkCancel}) == Answer::Ok;
}

} // namespace platform
