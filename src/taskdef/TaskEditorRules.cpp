#include "taskdef/TaskEditorRules.h"

#include "platform/CurrentLanguage.h"
#include "taskstore/AuthMode.h"

namespace taskdef {

namespace {
QString editorText(const char *key, const char *builtIn)
{
    return platform::CurrentLanguage::text("frmTask", key, builtIn);
}
} // namespace

RequestTypeEffect requestTypeEffect(int position)
{
    switch (position) {
    case 1: return {4, false, false, false, QStringLiteral("1813")};
    case 2: return {12, false, false, false, QStringLiteral("1812")};
    case 3: return {40, false, false, false, QStringLiteral("1700")};
    case 4: return {-1, true, true, false, QStringLiteral("1812")};
    default: return {1, false, true, true, QStringLiteral("1812")};
    }
}

bool isEapMode(const QString &mode)
{
    return taskstore::usesEapClient(mode);
}

std::optional<Refusal> validateTask(const TaskEditorFacts &facts)
{
    if (facts.taskName.trimmed().isEmpty())
        return Refusal{editorText("Check.TaskNameEmpty", "Task Name is empty!"), EditorPage::Unchanged};
    if (facts.serverIp.trimmed().isEmpty())
        return Refusal{editorText("Check.ServerIpEmpty", "Server IP is empty!"), EditorPage::Setting};
    if (facts.secretKey.isEmpty())
        return Refusal{editorText("Check.SecretKeyEmpty", "Secret Key is empty!"), EditorPage::Setting};
    if (facts.requestType < 0)
        return Refusal{editorText("Check.RequestTypeEmpty", "Request Type is empty!"), EditorPage::Setting};
    if (facts.requestCodeText.trimmed().isEmpty())
        return Refusal{editorText("Check.RequestCodeEmpty", "Request Code is empty!"), EditorPage::Setting};
    if (facts.packetNodes == 0)
        return Refusal{editorText("Check.NoPacket", "Please add a packet at least!"), EditorPage::Package};
    if (facts.scheduled && facts.scheduleRows == 0)
        return Refusal{editorText("Check.NoSchedule", "Please add a Schedule."), EditorPage::Schedule};
    return std::nullopt;
}

std::optional<int> portNumber(const QString &text)
{
    bool ok = false;
    const int port = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(port) : std::nullopt;
}

} // namespace taskdef
