#pragma once

#include <QString>

namespace platform {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct MessageRequest {
    QString text;
    QString title; // empty: the application's name, as a plain message box shows it
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// Messages and questions of code without windows (the run engine, the scheduler). The
// window layer installs its dialogs here; without them a message goes to standard error
// and a question gets the cautious answer. Calls made on a worker thread are handed over
// to the user-interface thread and wait for the answer.
class MessageService {
public:
    virtual ~MessageService() = default;

    static MessageService &instance();
    // Installs a service (not owned); nullptr returns to standard error.
    static void install(MessageService *service);

    Answer message(const MessageRequest &request);

    // Shortcuts for the usual shapes.
    void inform(const QString &text, const QString &title = {});
    void showError(const QString &text);
    bool askYesNo(const QString &text, const QString &title = {});
    bool askOkCancel(const QString &text, const QString &title = {});

    // Cancel, or No where there is no Cancel, or Ok where Ok is the only button.
    static Answer cautiousAnswer(MessageButtons buttons);

protected:
    virtual Answer showMessage(const MessageRequest &request) = 0;
};

} // namespace platform
