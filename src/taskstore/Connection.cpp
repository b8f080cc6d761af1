#include "taskstore/Connection.h"

#include "platform/ProgramDirectory.h"
#include "taskstore/DatabaseError.h"

#include <QFile>

#include <sqlite3.h>

namespace taskstore {

namespace {
// Date-time columns hold ISO-8601 text; integer columns take quoted integers by affinity.
const char kSchema[] = R"sql(
create table if not exists TaskGroup (TaskGroupID text, Name text);
create table if not exists Task (GroupID text, TaskID text, TaskName text, ServerIP text,
  SecretKey text, Port integer, RequestType integer, RequestTypeCode integer, AuthMode text,
  RunType integer);
create table if not exists TaskOption (TaskID text, StartID integer, ReplyTimeout integer,
  RetryTimes integer, RepeatTimes integer, NumPerSec integer, NumInParall integer);
create table if not exists TaskSchedule (TaskSchID integer primary key autoincrement,
  TaskID text, ScheduleType integer, value integer, withweek text, StartTime text,
  LastRunTime text, NextRunTime text);
create table if not exists Server (ServerID text, ServerIP text, SecretKey text);
create table if not exists Package (TaskID text);
create table if not exists TaskExpectation (TaskID text, PacketNumber integer, ReplyCode integer,
  TimeLimitMs integer);
create table if not exists TaskExpectationCheck (TaskID text, PacketNumber integer, Position integer,
  Attribute text, Operator text, Value text);
create index if not exists TaskExpectationByTask on TaskExpectation (TaskID);
create index if not exists TaskExpectationCheckByTask on TaskExpectationCheck (TaskID);
create table if not exists RunHistory (RunID integer primary key autoincrement, TaskID text,
  StartTime text, EndTime text, RunTrigger integer, Sent integer, Approved integer, Denied integer,
  Other integer, Lost integer, Failed integer, P50Ms real, P95Ms real, P99Ms real, MaxMs real,
  Verdict integer);
create index if not exists RunHistoryByTask on RunHistory (TaskID, RunID);

create table if not exists TaskTransport (TaskID text, Protocol text, CaFile text, CertFile text,
  KeyFile text, MessageAuthenticatorFirst integer, RequireMessageAuthenticator integer);

create table if not exists TaskEapSettings (TaskID text, AnonymousIdentity text, InnerMethod text,
  CaFile text, VerifyServer integer, CertFile text, KeyFile text);
)sql";

QString errorOf(sqlite3 *db)
{
    return QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
}
} // namespace

QString Connection::defaultPath()
{
    return platform::ProgramDirectory::filePath(QStringLiteral("Pellion.dat"));
}

Connection::Connection(const QString &path) : m_path(path)
{
    const QByteArray file = QFile::encodeName(path);
    if (sqlite3_open_v2(file.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        const QString text = errorOf(m_db);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw DatabaseError(text + QLatin1String(": ") + path);
    }
    // The three sessions take turns on one thread; a writer elsewhere is waited for briefly.
    sqlite3_busy_timeout(m_db, 5000);
    try {
        createMissingTables();
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

Connection::~Connection()
{
    sqlite3_close(m_db);
}

void Connection::createMissingTables()
{
    char *message = nullptr;
    const QByteArray script = QByteArrayLiteral("pragma journal_mode=wal;") + kSchema;
    if (sqlite3_exec(m_db, script.constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = QString::fromUtf8(message ? message : sqlite3_errmsg(m_db));
        sqlite3_free(message);
        throw DatabaseError(text + QLatin1String(": ") + m_path);
    }
}

} // namespace taskstore
