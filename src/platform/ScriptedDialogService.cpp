#include "platform/ScriptedDialogService.h"

namespace platform {

ScriptedDialogService::ScriptedDialogService()
{
    DialogService::install(this);
}

ScriptedDialogService::~ScriptedDialogService()
{
    DialogService::install(nullptr);
}

void ScriptedDialogService::queueAnswer(Answer answer)
{
    m_answers.push_back(answer);
}

void ScriptedDialogService::queueFileName(const QString &path)
{
    m_fileNames.push_back(path);
}

void ScriptedDialogService::queueColor(std::optional<QColor> color)
{
    m_colors.push_back(color);
}

void ScriptedDialogService::setMessageHandler(std::function<std::optional<Answer>(const MessageRequest &)> handler)
{
    m_handler = std::move(handler);
}

QStringList ScriptedDialogService::messageTexts() const
{
    QStringList texts;
    for (const MessageRequest &request : m_messages)
        texts << request.text;
    return texts;
}

QString ScriptedDialogService::lastMessageText() const
{
    return m_messages.isEmpty() ? QString() : m_messages.last().text;
}

void ScriptedDialogService::clear()
{
    m_messages.clear();
    m_answers.clear();
    m_fileNames.clear();
    m_colors.clear();
    m_fileRequests.clear();
}

Answer ScriptedDialogService::showMessage(const MessageRequest &request)
{
    m_messages.append(request);
    if (m_handler) {
        if (std::optional<Answer> answer = m_handler(request))
            return *answer;
    }
    if (!m_answers.empty()) {
        const Answer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    return cautiousAnswer(request.buttons);
}

QString ScriptedDialogService::nextFileName(const FileRequest &request)
{
    m_fileRequests.append(request);
    if (m_fileNames.empty())
        return {};
    QString path = m_fileNames.front();
    m_fileNames.pop_front();
    return path;
}

QString ScriptedDialogService::askOpenFileName(const FileRequest &request)
{
    return nextFileName(request);
}

QString ScriptedDialogService::askSaveFileName(const FileRequest &request)
{
    return nextFileName(request);
}

std::optional<QColor> ScriptedDialogService::askColor(const QColor &)
{
    if (m_colors.empty())
        return std::nullopt;
    std::optional<QColor> color = m_colors.front();
    m_colors.pop_front();
    return color;
}

} // namespace platform
