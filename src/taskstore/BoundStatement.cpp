#include "taskstore/BoundStatement.h"

#include "taskstore/Connection.h"
#include "taskstore/DatabaseError.h"

#include <sqlite3.h>

namespace taskstore {

BoundStatement::BoundStatement(Connection &connection, const char *sql) : m_connection(connection)
{
    if (sqlite3_prepare_v2(connection.handle(), sql, -1, &m_statement, nullptr) != SQLITE_OK)
        fail();
}

BoundStatement::~BoundStatement()
{
    sqlite3_finalize(m_statement);
}

BoundStatement &BoundStatement::bind(int position, const QVariant &value)
{
    int result = SQLITE_OK;
    if (value.isNull()) {
        result = sqlite3_bind_null(m_statement, position);
    } else if (value.typeId() == QMetaType::Double) {
        result = sqlite3_bind_double(m_statement, position, value.toDouble());
    } else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong) {
        result = sqlite3_bind_int64(m_statement, position, value.toLongLong());
    } else {
        const QByteArray text = value.toString().toUtf8();
        result = sqlite3_bind_text(m_statement, position, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    if (result != SQLITE_OK)
        fail();
    return *this;
}

bool BoundStatement::step()
{
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW)
        return true;
    if (result != SQLITE_DONE)
        fail();
    return false;
}

void BoundStatement::execute()
{
    while (step()) {
    }
    reset();
}

void BoundStatement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

bool BoundStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

qint64 BoundStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

double BoundStatement::real(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

QString BoundStatement::text(int column) const
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column)),
                             sqlite3_column_bytes(m_statement, column));
}

void BoundStatement::fail() const
{
    throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_connection.handle())));
}

} // namespace taskstore
