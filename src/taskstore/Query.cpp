#include "taskstore/Query.h"

#include "taskstore/Connection.h"
#include "taskstore/DatabaseError.h"
#include "taskstore/DateTimeText.h"

#include <sqlite3.h>

namespace taskstore {

namespace {
bool isDateTimeColumn(const QString &name)
{
    return name.compare(QLatin1String("LastRunTime"), Qt::CaseInsensitive) == 0
        || name.compare(QLatin1String("NextRunTime"), Qt::CaseInsensitive) == 0;
}

QVariant columnValue(sqlite3_stmt *statement, int index)
{
    switch (sqlite3_column_type(statement, index)) {
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(statement, index)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(statement, index));
    case SQLITE_NULL: return QVariant();
    default:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, index)),
                                          sqlite3_column_bytes(statement, index)));
    }
}

// Finalizes the statement on every path.
struct Statement {
    sqlite3_stmt *handle = nullptr;
    ~Statement() { sqlite3_finalize(handle); }
};
} // namespace

Query::Query(Connection &connection) : m_connection(connection)
{
}

void Query::open(const QString &sql)
{
    run(sql, true);
}

void Query::exec(const QString &sql)
{
    run(sql, false);
}

void Query::run(const QString &sql, bool keepRows)
{
    m_columns.clear();
    m_rows.clear();
    m_row = 0;

    sqlite3 *db = m_connection.handle();
    const QByteArray text = sql.toUtf8();
    Statement statement;
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &statement.handle, &tail) != SQLITE_OK)
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
    if (!statement.handle)
        throw DatabaseError(QStringLiteral("empty statement"));
    if (tail && QByteArray(tail).trimmed().size() > 0)
        throw DatabaseError(QStringLiteral("one statement per call"));

    const int columnCount = sqlite3_column_count(statement.handle);
    for (int i = 0; i < columnCount; ++i)
        m_columns << QString::fromUtf8(sqlite3_column_name(statement.handle, i));

    int step;
    while ((step = sqlite3_step(statement.handle)) == SQLITE_ROW) {
        if (!keepRows)
            continue;
        QList<QVariant> row;
        row.reserve(columnCount);
        for (int i = 0; i < columnCount; ++i)
            row << columnValue(statement.handle, i);
        m_rows << row;
    }
    if (step != SQLITE_DONE) {
        m_columns.clear();
        m_rows.clear();
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
    }
}

const QVariant &Query::field(const QString &column) const
{
    static const QVariant none;
    if (atEnd())
        return none;
    // Compared in place, the value not copied: both cost a list of ten thousand tasks a
    // good part of its fill.
    for (qsizetype index = 0; index < m_columns.size(); ++index)
        if (m_columns[index].compare(column, Qt::CaseInsensitive) == 0)
            return m_rows[m_row][index];
    return none;
}

QString Query::asText(const QString &column) const
{
    const QVariant &value = field(column);
    if (value.isNull())
        return {};
    QString text = value.toString();
    if (isDateTimeColumn(column)) {
        QString shown = DateTimeText::textFromStorage(text);
        if (!shown.isEmpty())
            return shown;
    }
    return text;
}

int Query::asInteger(const QString &column) const
{
    const QVariant &value = field(column);
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    return ok ? int(number) : 0;
}

QDateTime Query::asDateTime(const QString &column) const
{
    return DateTimeText::fromStorage(field(column).toString());
}

void OpenQuery(Query &query, const QString &sql)
{
    query.open(sql);
}

void ExecQuery(Query &query, const QString &sql)
{
    query.exec(sql);
}

} // namespace taskstore
