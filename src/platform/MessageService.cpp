#include "platform/MessageService.h"

#include "platform/UiThread.h"

#include <QTextStream>

#include <atomic>

namespace platform {

namespace {

// A program without windows writes its messages where its user reads them.
class StandardErrorMessages : public MessageService {
protected:
    Answer showMessage(const MessageRequest &request) override
    {
        QTextStream err(stderr);
        if (!request.title.isEmpty())
            err << request.title << ": ";
        err << request.text << Qt::endl;
        return cautiousAnswer(request.buttons);
    }
};

std::atomic<MessageService *> s_installed{nullptr};

} // namespace

MessageService &MessageService::instance()
{
    if (MessageService *service = s_installed.load())
        return *service;
    static StandardErrorMessages standardError;
    return standardError;
}

void MessageService::install(MessageService *service)
{
    s_installed.store(service);
}

Answer MessageService::cautiousAnswer(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok: return Answer::Ok;
    case MessageButtons::YesNo: return Answer::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel: break;
    }
    return Answer::Cancel;
}

Answer MessageService::message(const MessageRequest &request)
{
    Answer answer = Answer::Cancel;
    synchronize([&] { answer = showMessage(request); });
    return answer;
}

void MessageService::inform(const QString &text, const QString &title)
{
    message({text, title, title.isEmpty() ? MessageIcon::None : MessageIcon::Information, MessageButtons::Ok});
}

void MessageService::showError(const QString &text)
{
    message({text, QStringLiteral("Error"), MessageIcon::Error, MessageButtons::Ok});
}

bool MessageService::askYesNo(const QString &text, const QString &title)
{
    return message({text, title, MessageIcon::Question, MessageButtons::YesNo}) == Answer::Yes;
}

bool MessageService::askOkCancel(const QString &text, const QString &title)
{
    return message({text, title, MessageIcon::Question, MessageButtons::OkCancel}) == Answer::Ok;
}

} // namespace platform
