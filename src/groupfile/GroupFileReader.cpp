#include "groupfile/GroupFileReader.h"

#include "groupfile/GroupFileSyntax.h"
#include "groupfile/PortableSchedule.h"
#include "groupfile/QuotedBytes.h"
#include "groupfile/SettingFields.h"
#include "groupfile/TaskFields.h"
#include "taskstore/AuthMode.h"

#include <QSet>

#include <algorithm>
#include <optional>

namespace groupfile {

namespace {
struct Token {
    QByteArray text;
    bool quoted = false;
};

// A reason that stops the reading, at the current line.
struct LineError {
    QString reason;
};

bool isUtf8(QByteArrayView octets)
{
    for (qsizetype i = 0; i < octets.size();) {
        const qsizetype length = utf8SequenceLength(octets, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

QList<Token> tokens(QByteArrayView line)
{
    QList<Token> out;
    for (qsizetype i = 0; i < line.size();) {
        const char c = line[i];
        if (c == ' ' || c == '\t') {
            ++i;
        } else if (c == '"') {
            qsizetype consumed = 0;
            QString reason;
            const std::optional<QByteArray> value = unquoted(line.sliced(i), &consumed, &reason);
            if (!value)
                throw LineError{reason};
            out.append({*value, true});
            i += consumed;
            if (i < line.size() && line[i] != ' ' && line[i] != '\t')
                throw LineError{QStringLiteral("a blank must follow the closing quote")};
        } else {
            qsizetype end = i;
            while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '"')
                ++end;
            out.append({line.sliced(i, end - i).toByteArray(), false});
            i = end;
        }
    }
    return out;
}

QString shown(const QByteArray &word)
{
    return QString::fromUtf8(word);
}

class Reader {
public:
    GroupDocument read(const QByteArray &text, int *lineNumber);

private:
    void statement(const QList<Token> &line);
    void taskValue(const QList<Token> &line);
    template <typename Settings, std::size_t Count>
    bool settingValue(const QList<Token> &line, const std::array<SettingField<Settings>, Count> &fields,
                      Settings &settings);
    static void checkSettings(const taskstore::TaskTransport &transport);
    static void checkSettings(const taskstore::TaskEapSettings &eap);
    void countKey(const QByteArray &key);
    void expectation(const QList<Token> &line);
    taskstore::PacketExpectation &expectationOf(int packet);

    static void expectCount(const QList<Token> &line, qsizetype count);
    static QString text(const Token &token);
    static QByteArray octets(const Token &token);

    GroupDocument m_document;
    bool m_formatSeen = false;
    bool m_groupSeen = false;
    std::optional<GroupTask> m_task;
    int m_line = 0;
    int m_taskLine = 0;
    QSet<QByteArray> m_taskKeys;
    bool m_scriptEnded = false;
};

void Reader::expectCount(const QList<Token> &line, qsizetype count)
{
    if (line.size() < count)
        throw LineError{QStringLiteral("\"%1\" needs a value").arg(shown(line[0].text))};
    if (line.size() > count)
        throw LineError{
            QStringLiteral("unexpected \"%1\" after \"%2\"").arg(shown(line[count].text), shown(line[0].text))};
}

QByteArray Reader::octets(const Token &token)
{
    if (!token.quoted)
        throw LineError{QStringLiteral("the value %1 must be in double quotes").arg(shown(token.text))};
    return token.text;
}

QString Reader::text(const Token &token)
{
    const QByteArray value = octets(token);
    if (!isUtf8(value))
        throw LineError{QStringLiteral("the value is not UTF-8 text")};
    return QString::fromUtf8(value);
}

GroupDocument Reader::read(const QByteArray &text, int *lineNumber)
{
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        *lineNumber = m_line = int(i + 1);
        QByteArrayView line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        statement(tokens(line));
    }
    if (m_task) {
        *lineNumber = m_taskLine;
        throw LineError{QStringLiteral("the task \"%1\" has no \"end\"").arg(m_task->task.TaskName)};
    }
    // An error about the whole file points at its last line.
    *lineNumber = std::max(1, int(lines.size()) - (text.endsWith('\n') ? 1 : 0));
    if (!m_groupSeen)
        throw LineError{QStringLiteral("the file names no group")};
    return m_document;
}

void Reader::statement(const QList<Token> &line)
{
    const QByteArray &key = line[0].text;
    if (line[0].quoted)
        throw LineError{QStringLiteral("a line must start with a word, not a quoted value")};
    if (!m_formatSeen) {
        if (key != kFormatKey)
            throw LineError{QStringLiteral("the file must start with \"format 1\"")};
        expectCount(line, 2);
        if (line[1].text != kFormatVersion)
            throw LineError{QStringLiteral("format %1 is not known").arg(shown(line[1].text))};
        m_formatSeen = true;
    } else if (m_task) {
        taskValue(line);
    } else if (key == kGroupKey) {
        if (m_groupSeen)
            throw LineError{QStringLiteral("a second \"group\" line")};
        expectCount(line, 2);
        m_document.groupName = text(line[1]);
        if (m_document.groupName.isEmpty())
            throw LineError{QStringLiteral("the group name is empty")};
        m_groupSeen = true;
    } else if (key == kTaskKey) {
        if (!m_groupSeen)
            throw LineError{QStringLiteral("a task before the \"group\" line")};
        expectCount(line, 2);
        m_task = GroupTask{};
        m_taskLine = m_line;
        m_task->task.TaskName = text(line[1]);
        if (m_task->task.TaskName.isEmpty())
            throw LineError{QStringLiteral("the task name is empty")};
        m_taskKeys.clear();
        m_scriptEnded = false;
    } else {
        throw LineError{QStringLiteral("\"%1\" outside a task").arg(shown(key))};
    }
}

void Reader::taskValue(const QList<Token> &line)
{
    const QByteArray &key = line[0].text;
    if (key == kEndKey) {
        expectCount(line, 1);
        m_document.tasks.append(*m_task);
        m_task.reset();
        return;
    }
    if (m_scriptEnded)
        throw LineError{QStringLiteral("only \"end\" may follow \"script-end\"")};
    if (key == kScriptKey || key == kScriptEndKey) {
        expectCount(line, 2);
        QByteArray script = m_task->script.value_or(QByteArray()) + octets(line[1]);
        if (key == kScriptKey)
            script += kScriptLineEnd;
        m_task->script = script;
        m_scriptEnded = key == kScriptEndKey;
        return;
    }
    if (m_task->script)
        throw LineError{QStringLiteral("\"%1\" after the script lines").arg(shown(key))};
    if (key == kExpectKey) {
        expectation(line);
        return;
    }
    if (key == kScheduleKey) {
        expectCount(line, 5);
        if (line[1].quoted || line[3].quoted || line[3].text != kStartWord)
            throw LineError{QStringLiteral("a schedule reads: schedule <kind> \"<value>\" start \"<time>\"")};
        QString reason;
        const std::optional<scheduling::ScheduleListRow> row =
            fromPortable({shown(line[1].text), text(line[2]), text(line[4])}, &reason);
        if (!row)
            throw LineError{reason};
        m_task->schedules.append(*row);
        return;
    }
    if (settingValue(line, transportFields(), m_task->task.Transport)
        || settingValue(line, eapFields(), m_task->task.Eap))
        return;
    for (const TaskField &field : taskFields()) {
        if (key != QByteArrayView(field.name.data(), field.name.size()))
            continue;
        countKey(key);
        expectCount(line, 2);
        if (field.text) {
            m_task->task.*field.text = text(line[1]);
            return;
        }
        bool ok = false;
        const int number = line[1].quoted ? 0 : line[1].text.toInt(&ok);
        if (!ok || number < field.low || number > field.high)
            throw LineError{QStringLiteral("%1 must be a whole number from %2 to %3")
                                .arg(shown(key))
                                .arg(field.low)
                                .arg(field.high)};
        m_task->task.*field.number = number;
        return;
    }
    throw LineError{QStringLiteral("unknown value \"%1\"").arg(shown(key))};
}
void Reader::countKey(const QByteArray &key)
{
    if (m_taskKeys.contains(key))
        throw LineError{QStringLiteral("\"%1\" is given twice").arg(shown(key))};
    m_taskKeys.insert(key);
}

template <typename Settings, std::size_t Count>
bool Reader::settingValue(const QList<Token> &line, const std::array<SettingField<Settings>, Count> &fields,
                          Settings &settings)
{
    const QByteArray &key = line[0].text;
    for (const SettingField<Settings> &field : fields) {
        if (key != QByteArrayView(field.name.data(), field.name.size()))
            continue;
        countKey(key);
        expectCount(line, 2);
        if (field.flag) {
            if (line[1].quoted || (line[1].text != "0" && line[1].text != "1"))
                throw LineError{QStringLiteral("%1 must be 0 or 1").arg(shown(key))};
            settings.*field.flag = line[1].text == "1";
            return true;
        }
        settings.*field.text = text(line[1]);
        checkSettings(settings);
        return true;
    }
    return false;
}

void Reader::checkSettings(const taskstore::TaskTransport &transport)
{
    if (transport.Protocol != QLatin1String("udp") && transport.Protocol != QLatin1String("tcp") && !transport.isTls())
        throw LineError{QStringLiteral("TransportProtocol must be \"udp\", \"tcp\" or \"tls\"")};
}

void Reader::checkSettings(const taskstore::TaskEapSettings &eap)
{
    if (!eap.InnerMethod.isEmpty() && taskstore::innerMethodName(eap.InnerMethod).isEmpty())
        throw LineError{QStringLiteral("EapInnerMethod must be \"pap\", \"mschapv2\" or \"md5\"")};
}

taskstore::PacketExpectation &Reader::expectationOf(int packet)
{
    QList<taskstore::PacketExpectation> &all = m_task->expectations;
    for (taskstore::PacketExpectation &expectation : all)
        if (expectation.packetNumber == packet)
            return expectation;
    all.append(taskstore::PacketExpectation{});
    all.last().packetNumber = packet;
    return all.last();
}

int replyCodeOf(const QString &name)
{
    for (const int code : taskstore::replycode::expectable())
        if (taskstore::replycode::name(code) == name)
            return code;
    bool ok = false;
    const int code = name.toInt(&ok);
    if (!ok || code < 0 || code > 255)
        throw LineError{QStringLiteral("\"%1\" is not a reply code").arg(name)};
    return code;
}

void Reader::expectation(const QList<Token> &line)
{
    const QString shape = QStringLiteral(
        "an expectation reads: expect <packet> reply \"<code>\", expect <packet> within <ms>, or expect <packet> "
        "check \"<attribute>\" <present|absent|equals|contains|matches> [\"<value>\"]");
    bool ok = false;
    const int packet = line.size() > 2 && !line[1].quoted ? line[1].text.toInt(&ok) : 0;
    if (!ok || packet < 1 || line[2].quoted)
        throw LineError{shape};
    taskstore::PacketExpectation &expectation = expectationOf(packet);
    const QByteArray &what = line[2].text;
    if (what == kReplyWord && line.size() == 4) {
        if (expectation.replyCode)
            throw LineError{QStringLiteral("packet %1 has a second reply code").arg(packet)};
        expectation.replyCode = replyCodeOf(text(line[3]));
    } else if (what == kWithinWord && line.size() == 4) {
        const int limit = line[3].quoted ? 0 : line[3].text.toInt(&ok);
        if (!ok || limit < 1)
            throw LineError{QStringLiteral("the time limit must be a whole number of milliseconds above 0")};
        if (expectation.timeLimitMs)
            throw LineError{QStringLiteral("packet %1 has a second time limit").arg(packet)};
        expectation.timeLimitMs = limit;
    } else if (what == kCheckWord && (line.size() == 5 || line.size() == 6) && !line[4].quoted) {
        taskstore::AttributeCheck check;
        check.attribute = text(line[3]);
        const std::optional<taskstore::CheckOperator> op = taskstore::checkOperatorFromName(shown(line[4].text));
        if (check.attribute.isEmpty() || !op)
            throw LineError{shape};
        check.op = *op;
        if (taskstore::checkTakesValue(check.op) != (line.size() == 6))
            throw LineError{taskstore::checkTakesValue(check.op)
                                ? QStringLiteral("\"%1\" needs a value").arg(shown(line[4].text))
                                : QStringLiteral("\"%1\" takes no value").arg(shown(line[4].text))};
        if (line.size() == 6)
            check.value = text(line[5]);
        expectation.checks.append(check);
    } else {
        throw LineError{shape};
    }
}
} // namespace

GroupFileReading readGroupFile(const QByteArray &text)
{
    GroupFileReading reading;
    int lineNumber = 1;
    try {
        reading.document = Reader().read(text, &lineNumber);
    } catch (const LineError &error) {
        reading.error = QStringLiteral("line %1: %2").arg(lineNumber).arg(error.reason);
    }
    return reading;
}

} // namespace groupfile
