#pragma once

#include <QColor>
#include <QString>

#include <optional>

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

struct FileRequest {
    QString title;
    QString directory;
    QString filter;        // Qt filter text, e.g. "Text files(*.txt);;All files(*.*)"; "*.*" matches every name
    QString defaultSuffix; // appended by the save dialog when the name has none
    QString fileName;      // proposed name
};

// Every message box, question, file dialog and colour chooser of the programs goes
// through here, so that tests answer them without a person. Calls made on a worker
// thread are handed over to the user-interface thread and wait for the answer.
class DialogService {
public:
    virtual ~DialogService() = default;

    // The installed service; a Qt one unless a test installed its own.
    static DialogService &instance();
    // Installs a service (not owned); nullptr returns to the Qt one.
    static void install(DialogService *service);

    Answer message(const MessageRequest &request);
    QString openFileName(const FileRequest &request);
    QString saveFileName(const FileRequest &request);
    std::optional<QColor> chooseColor(const QColor &initial);

    // Shortcuts for the usual shapes.
    void inform(const QString &text, const QString &title = {});
    void showError(const QString &text);
    bool askYesNo(const QString &text, const QString &title = {});
    bool askOkCancel(const QString &text, const QString &title = {});

protected:
    virtual Answer showMessage(const MessageRequest &request) = 0;
    virtual QString askOpenFileName(const FileRequest &request) = 0;
    virtual QString askSaveFileName(const FileRequest &request) = 0;
    virtual std::optional<QColor> askColor(const QColor &initial) = 0;
};

} // namespace platform
