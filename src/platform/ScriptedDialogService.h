#pragma once

#include "platform/DialogService.h"

#include <QList>
#include <QStringList>

#include <deque>
#include <functional>

namespace platform {

// A dialog service for tests: answers come from a script given in advance, and every
// request is recorded. An unscripted question gets the cautious answer (Cancel, or No
// where there is no Cancel); an unscripted file dialog is cancelled.
class ScriptedDialogService : public DialogService {
public:
    ScriptedDialogService();           // installs itself
    ~ScriptedDialogService() override; // returns to the Qt service

    void queueAnswer(Answer answer);
    void queueFileName(const QString &path);
    void queueColor(std::optional<QColor> color);
    // Decides every message instead of the queue; return nullopt to fall back to it.
    void setMessageHandler(std::function<std::optional<Answer>(const MessageRequest &)> handler);

    const QList<MessageRequest> &messages() const { return m_messages; }
    QStringList messageTexts() const;
    QString lastMessageText() const;
    int fileRequestCount() const { return static_cast<int>(m_fileRequests.size()); }
    const QList<FileRequest> &fileRequests() const { return m_fileRequests; }
    void clear();

protected:
    Answer showMessage(const MessageRequest &request) override;
    QString askOpenFileName(const FileRequest &request) override;
    QString askSaveFileName(const FileRequest &request) override;
    std::optional<QColor> askColor(const QColor &initial) override;

private:
    QString nextFileName(const FileRequest &request);

    QList<MessageRequest> m_messages;
    std::deque<Answer> m_answers;
    std::deque<QString> m_fileNames;
    std::deque<std::optional<QColor>> m_colors;
    std::function<std::optional<Answer>(const MessageRequest &)> m_handler;
    QList<FileRequest> m_fileRequests;
};

} // namespace platform
