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

DialogService &qtService()
{
    static QtDialogService service;
    return service;
}
} // namespace

DialogService &DialogService::instance()
{
    if (DialogService *service = s_installed.load())
        return *service;
    return qtService();
}

void DialogService::install(DialogService *service)
{
    s_installed.store(service);
    MessageService::install(service ? service : &qtService());
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

} // namespace platform
