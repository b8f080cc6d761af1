#include "execution/RunJudgement.h"

#include "execution/ClientOrigin.h"
#include "platform/CommandLine.h"
#include "taskdef/PacketTextReader.h"
#include "taskstore/TaskReader.h"
#include "verdict/Percentiles.h"

#include <map>
#include <utility>

namespace execution {

namespace {
enum class Ending { Approved, Denied, Other, Lost, Failed };

// How a packet's conversation ended, from its last exchange; the reply codes are judged
// as the client's summary judges them.
Ending endingOf(const verdict::Exchange &last)
{
    if (!last.id)
        return Ending::Failed;
    if (!last.replyCode)
        return Ending::Lost;
    switch (*last.replyCode) {
    case taskstore::replycode::kAccessAccept:
    case taskstore::replycode::kAccountingResponse:
    case taskstore::replycode::kDisconnectAck:
    case taskstore::replycode::kCoaAck: return Ending::Approved;
    case taskstore::replycode::kAccessReject:
    case taskstore::replycode::kDisconnectNak:
    case taskstore::replycode::kCoaNak: return Ending::Denied;
    default: return Ending::Other;
    }
}
} // namespace

QString withRecordsOption(const QString &contractLine, const QString &recordsFile)
{
    const QStringList words = platform::splitCommandLine(contractLine);
    if (words.isEmpty())
        return contractLine;
    const qsizetype programEnd = contractLine.indexOf(words.first()) + words.first().size();
    return contractLine.left(programEnd) + QLatin1String(" -R ") + platform::quoteCommandWord(recordsFile)
        + contractLine.mid(programEnd);
}

int packetCountOf(const QString &taskId)
{
    const auto packets = taskdef::PacketTextReader::readFile(taskstore::scriptFilePath(taskId));
    return packets ? int(packets->size()) : 0;
}

QString RunJudgement::commandLineToStart(const QString &contractLine)
{
    const QStringList words = platform::splitCommandLine(contractLine);
    if (words.isEmpty() || !isOwnClient(words.first()))
        return contractLine;
    auto directory = std::make_unique<QTemporaryDir>();
    if (!directory->isValid())
        return contractLine; // judged "not evaluated", never failed for it
    m_recordsPath = directory->filePath(QStringLiteral("records.jsonl"));
    m_directory = std::move(directory);
    return withRecordsOption(contractLine, m_recordsPath);
}

void RunJudgement::noteLines(const QList<ClientLine> &lines)
{
    for (const ClientLine &line : lines)
        if (line.messageClass == MessageClass::Error)
            m_errorLines << line.text;
}

verdict::VerdictReport RunJudgement::judge(const QList<taskstore::PacketExpectation> &expectations, int packetCount,
                                           int repetitions, bool stopped)
{
    verdict::RunOutcome outcome;
    outcome.recordsAsked = recordsAsked();
    outcome.stopped = stopped;
    outcome.errorLines = m_errorLines;
    outcome.repetitions = repetitions;
    if (recordsAsked())
        m_records = verdict::readExchangeFile(m_recordsPath);
    outcome.records = m_records;
    // A packet file that no longer reads still lets the records say how many there were.
    outcome.packetCount = packetCount;
    if (packetCount == 0 && m_records)
        for (const verdict::Exchange &exchange : m_records->exchanges)
            outcome.packetCount = std::max(outcome.packetCount, exchange.packet);
    return verdict::evaluate(expectations, outcome);
}

taskstore::RunRecord RunJudgement::historyRow(const QString &taskId, const QDateTime &start, const QDateTime &end,
                                              taskstore::RunTrigger trigger, taskstore::Verdict verdict) const
{
    taskstore::RunRecord row;
    row.taskId = taskId;
    row.start = start;
    row.end = end;
    row.trigger = trigger;
    row.verdict = verdict;
    if (!m_records)
        return row;
    std::map<std::pair<int, int>, const verdict::Exchange *> lastOf;
    for (const verdict::Exchange &exchange : m_records->exchanges)
        lastOf[{exchange.packet, exchange.repetition}] = &exchange;
    row.sent = int(lastOf.size());
    for (const auto &entry : lastOf) {
        switch (endingOf(*entry.second)) {
        case Ending::Approved: ++row.approved; break;
        case Ending::Denied: ++row.denied; break;
        case Ending::Other: ++row.other; break;
        case Ending::Lost: ++row.lost; break;
        case Ending::Failed: ++row.failed; break;
        }
    }
    const verdict::ResponsePercentiles times = verdict::responsePercentiles(m_records->exchanges);
    row.p50Ms = times.p50;
    row.p95Ms = times.p95;
    row.p99Ms = times.p99;
    row.maxMs = times.max;
    return row;
}

} // namespace execution
