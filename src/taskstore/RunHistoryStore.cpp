#include "taskstore/RunHistoryStore.h"

#include "taskstore/BoundStatement.h"
#include "taskstore/StoreAttempt.h"

namespace taskstore {

namespace {
constexpr char kColumns[] =
    "RunID, TaskID, StartTime, EndTime, RunTrigger, Sent, Approved, Denied, Other, Lost, "
    "Failed, P50Ms, P95Ms, P99Ms, MaxMs, Verdict";

// Stored as UTC ISO-8601 text with milliseconds, so rows sort and read the same anywhere.
QString storedMoment(const QDateTime &moment)
{
    return moment.toUTC().toString(Qt::ISODateWithMs);
}

// Read by hand: a general date parser and a change of zone per row are too slow for a
// history of ten thousand runs. The moment stays in UTC; it compares as any other.
QDateTime readMoment(const QString &text)
{
    // yyyy-MM-ddTHH:mm:ss.zzzZ
    if (text.size() != 24 || text.at(23) != QLatin1Char('Z'))
        return QDateTime::fromString(text, Qt::ISODateWithMs);
    const auto number = [&](int from, int length) { return QStringView(text).mid(from, length).toInt(); };
    return QDateTime(QDate(number(0, 4), number(5, 2), number(8, 2)),
                     QTime(number(11, 2), number(14, 2), number(17, 2), number(20, 3)), Qt::UTC);
}

QVariant optionalValue(const std::optional<double> &value)
{
    return value ? QVariant(*value) : QVariant();
}

std::optional<double> optionalReal(const BoundStatement &statement, int column)
{
    if (statement.isNull(column))
        return std::nullopt;
    return statement.real(column);
}

RunRecord readRun(const BoundStatement &row)
{
    RunRecord run;
    run.runId = row.integer(0);
    run.taskId = row.text(1);
    run.start = readMoment(row.text(2));
    run.end = readMoment(row.text(3));
    run.trigger = RunTrigger(row.integer(4));
    run.sent = int(row.integer(5));
    run.approved = int(row.integer(6));
    run.denied = int(row.integer(7));
    run.other = int(row.integer(8));
    run.lost = int(row.integer(9));
    run.failed = int(row.integer(10));
    run.p50Ms = optionalReal(row, 11);
    run.p95Ms = optionalReal(row, 12);
    run.p99Ms = optionalReal(row, 13);
    run.maxMs = optionalReal(row, 14);
    run.verdict = Verdict(row.integer(15));
    return run;
}

QByteArray selectRuns(const char *where)
{
    return QByteArray("select ") + kColumns + " from RunHistory " + where;
}
} // namespace

RunHistoryStore::RunHistoryStore(Connection &connection) : m_connection(connection)
{
}

StoreResult<qint64> RunHistoryStore::add(const RunRecord &run)
{
    return attempt<qint64>([&] {
        BoundStatement insert(m_connection,
                              "insert into RunHistory (TaskID, StartTime, EndTime, RunTrigger, Sent, Approved, "
                              "Denied, Other, Lost, Failed, P50Ms, P95Ms, P99Ms, MaxMs, Verdict) "
                              "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) returning RunID");
        insert.bind(1, run.taskId)
            .bind(2, storedMoment(run.start))
            .bind(3, storedMoment(run.end))
            .bind(4, int(run.trigger))
            .bind(5, run.sent)
            .bind(6, run.approved)
            .bind(7, run.denied)
            .bind(8, run.other)
            .bind(9, run.lost)
            .bind(10, run.failed)
            .bind(11, optionalValue(run.p50Ms))
            .bind(12, optionalValue(run.p95Ms))
            .bind(13, optionalValue(run.p99Ms))
            .bind(14, optionalValue(run.maxMs))
            .bind(15, int(run.verdict));
        insert.step();
        const qint64 id = insert.integer(0);
        insert.execute();
        return id;
    });
}

StoreResult<QList<RunRecord>> RunHistoryStore::runsOf(const QString &taskId)
{
    return attempt<QList<RunRecord>>([&] {
        BoundStatement select(m_connection, selectRuns("where TaskID=? order by RunID").constData());
        select.bind(1, taskId);
        QList<RunRecord> runs;
        while (select.step())
            runs.append(readRun(select));
        return runs;
    });
}

StoreResult<QHash<QString, Verdict>> RunHistoryStore::lastVerdicts()
{
    return attempt<QHash<QString, Verdict>>([&] {
        BoundStatement select(m_connection,
                              "select TaskID, Verdict from RunHistory where RunID in "
                              "(select max(RunID) from RunHistory group by TaskID)");
        QHash<QString, Verdict> verdicts;
        while (select.step())
            verdicts.insert(select.text(0), Verdict(select.integer(1)));
        return verdicts;
    });
}

StoreResult<std::optional<RunRecord>> RunHistoryStore::lastRunOf(const QString &taskId)
{
    return attempt<std::optional<RunRecord>>([&] {
        BoundStatement select(m_connection, selectRuns("where TaskID=? order by RunID desc limit 1").constData());
        select.bind(1, taskId);
        std::optional<RunRecord> run;
        if (select.step())
            run = readRun(select);
        return run;
    });
}

} // namespace taskstore
