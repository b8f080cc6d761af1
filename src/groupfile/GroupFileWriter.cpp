#include "groupfile/GroupFileWriter.h"

#include "groupfile/GroupFileSyntax.h"
#include "groupfile/PortableSchedule.h"
#include "groupfile/QuotedBytes.h"
#include "groupfile/SettingFields.h"
#include "groupfile/TaskFields.h"

#include <algorithm>
#include <utility>

namespace groupfile {

namespace {
QByteArray textLine(QByteArrayView key, const QString &value)
{
    return "  " + key.toByteArray() + ' ' + quoted(value.toUtf8()) + '\n';
}

template <typename Settings, std::size_t Count>
QByteArray settingLines(const Settings &settings, const std::array<SettingField<Settings>, Count> &fields)
{
    const Settings defaults;
    QByteArray out;
    for (const SettingField<Settings> &field : fields) {
        const QByteArray key = QByteArray(field.name.data(), field.name.size());
        if (field.text && settings.*field.text != defaults.*field.text)
            out += textLine(key, settings.*field.text);
        else if (field.flag && settings.*field.flag != defaults.*field.flag)
            out += "  " + key + ' ' + QByteArray::number(int(settings.*field.flag)) + '\n';
    }
    return out;
}

QByteArray scriptLines(const QByteArray &script)
{
    QByteArray out;
    qsizetype from = 0;
    for (qsizetype end = script.indexOf(kScriptLineEnd); end >= 0; end = script.indexOf(kScriptLineEnd, from)) {
        out += "  " + kScriptKey.toByteArray() + ' ' + quoted(QByteArrayView(script).sliced(from, end - from)) + '\n';
        from = end + kScriptLineEnd.size();
    }
    // What follows the last line end; said even when empty for a file without any line.
    if (from < script.size() || script.isEmpty())
        out += "  " + kScriptEndKey.toByteArray() + ' ' + quoted(QByteArrayView(script).sliced(from)) + '\n';
    return out;
}

// One line per expectation: the reply code, the time limit, then each check in order.
QByteArray expectationLines(const taskstore::PacketExpectation &expectation)
{
    const QByteArray head = "  " + kExpectKey.toByteArray() + ' ' + QByteArray::number(expectation.packetNumber) + ' ';
    QByteArray out;
    if (expectation.replyCode)
        out += head + kReplyWord.toByteArray() + ' '
            + quoted(taskstore::replycode::name(*expectation.replyCode).toUtf8()) + '\n';
    if (expectation.timeLimitMs)
        out += head + kWithinWord.toByteArray() + ' ' + QByteArray::number(*expectation.timeLimitMs) + '\n';
    for (const taskstore::AttributeCheck &check : expectation.checks) {
        out += head + kCheckWord.toByteArray() + ' ' + quoted(check.attribute.toUtf8()) + ' '
            + taskstore::checkOperatorName(check.op).toUtf8();
        if (taskstore::checkTakesValue(check.op))
            out += ' ' + quoted(check.value.toUtf8());
        out += '\n';
    }
    return out;
}

QByteArray taskBlock(const GroupTask &entry)
{
    QByteArray out = kTaskKey.toByteArray() + ' ' + quoted(entry.task.TaskName.toUtf8()) + '\n';
    for (const TaskField &field : taskFields()) {
        const QByteArray key = QByteArray(field.name.data(), field.name.size());
        if (field.text)
            out += textLine(key, entry.task.*field.text);
        else
            out += "  " + key + ' ' + QByteArray::number(entry.task.*field.number) + '\n';
    }
    out += settingLines(entry.task.Transport, transportFields());
    out += settingLines(entry.task.Eap, eapFields());
    for (const scheduling::ScheduleListRow &row : entry.schedules) {
        const PortableSchedule rule = toPortable(row);
        out += "  " + kScheduleKey.toByteArray() + ' ' + rule.kind.toUtf8() + ' ' + quoted(rule.value.toUtf8()) + ' '
            + kStartWord.toByteArray() + ' ' + quoted(rule.start.toUtf8()) + '\n';
    }
    for (const taskstore::PacketExpectation &expectation : entry.expectations)
        out += expectationLines(expectation);
    if (entry.script)
        out += scriptLines(*entry.script);
    out += kEndKey.toByteArray() + '\n';
    return out;
}
} // namespace

QByteArray writeGroupFile(const GroupDocument &document)
{
    QList<std::pair<QString, QByteArray>> blocks;
    for (const GroupTask &entry : document.tasks)
        blocks.append({entry.task.TaskName, taskBlock(entry)});
    std::sort(blocks.begin(), blocks.end());

    QByteArray out = kHeaderComment.toByteArray() + '\n' + kFormatKey.toByteArray() + ' ' + kFormatVersion.toByteArray()
        + '\n' + kGroupKey.toByteArray() + ' ' + quoted(document.groupName.toUtf8()) + '\n';
    for (const auto &block : std::as_const(blocks))
        out += '\n' + block.second;
    return out;
}

} // namespace groupfile
