#include "taskstore/Transaction.h"

#include "taskstore/Connection.h"
#include "taskstore/DatabaseError.h"

#include <sqlite3.h>

namespace taskstore {

Transaction::Transaction(Connection &connection) : m_connection(connection)
{
    run("begin immediate");
}

Transaction::~Transaction()
{
    if (m_open)
        sqlite3_exec(m_connection.handle(), "rollback", nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    run("commit");
    m_open = false;
}

void Transaction::run(const char *statement)
{
    if (sqlite3_exec(m_connection.handle(), statement, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_connection.handle())));
}

} // namespace taskstore
