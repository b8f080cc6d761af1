#include "taskstore/Transaction.h"

#include "taskstore/Connection.h"
#include "taskstore/DatabaseError.h"

#include <sqlite3.h>

namespace taskstore {

// Inside another transaction a savepoint stands in: the outer one still decides whether
// anything lands, so a store that groups its own statements can join a larger save.
Transaction::Transaction(Connection &connection)
    : m_connection(connection), m_nested(sqlite3_get_autocommit(connection.handle()) == 0)
{
    run(m_nested ? "savepoint nested" : "begin immediate");
}

Transaction::~Transaction()
{
    if (!m_open)
        return;
    if (m_nested)
        sqlite3_exec(m_connection.handle(), "rollback to nested; release nested", nullptr, nullptr, nullptr);
    else
        sqlite3_exec(m_connection.handle(), "rollback", nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    run(m_nested ? "release nested" : "commit");
    m_open = false;
}

void Transaction::run(const char *statement)
{
    if (sqlite3_exec(m_connection.handle(), statement, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_connection.handle())));
}

} // namespace taskstore
