#pragma once

#include "platform/MessageService.h"

#include <QColor>
#include <QString>

#include <optional>

namespace platform {

struct FileRequest {
    QString title;
    QString directory;
    QString filter;        // Qt filter text, e.g. "Text files(*.txt);;All files(*.*)"; "*.*" matches every name
    QString defaultSuffix; // appended by the save dialog when the name has none
    QString fileName;      // proposed name
};

// Every message box, question, file dialog and colour chooser of the programs goes
// through here, so that tests answer them without a person. Calls made on a worker
// thread are handed over to the user-interface thread and wait for the answer. The
// installed service also answers the messages of the code without windows.
class DialogService : public MessageService {
public:
    // The installed service; a Qt one unless a test installed its own.
    static DialogService &instance();
    // Installs a service (not owned) here and for the messages; nullptr returns to the Qt one.
    static void install(DialogService *service);
    // The real dialogs, for the messages of the code without windows as well.
    static void useQtDialogs() { install(nullptr); }

    QString openFileName(const FileRequest &request);
    QString saveFileName(const FileRequest &request);
    std::optional<QColor> chooseColor(const QColor &initial);

protected:
    virtual QString askOpenFileName(const FileRequest &request) = 0;
    virtual QString askSaveFileName(const FileRequest &request) = 0;
    virtual std::optional<QColor> askColor(const QColor &initial) = 0;
};

} // namespace platform
