#pragma once

#include <QString>
#include <QVariant>

struct sqlite3_stmt;

namespace taskstore {

class Connection;

// One prepared statement with its values bound by position (from 1), so texts such as a
// regular expression go in as they are. Steps row by row; throws DatabaseError with the
// database's text.
class BoundStatement {
public:
    BoundStatement(Connection &connection, const char *sql);
    ~BoundStatement();
    BoundStatement(const BoundStatement &) = delete;
    BoundStatement &operator=(const BoundStatement &) = delete;

    // A null QVariant binds NULL; integers, doubles and texts bind as themselves.
    BoundStatement &bind(int position, const QVariant &value);
    // True while a row is there to read.
    bool step();
    // Runs a statement that returns no rows; the statement can then be bound again.
    void execute();
    void reset();

    bool isNull(int column) const;
    qint64 integer(int column) const;
    double real(int column) const;
    QString text(int column) const;

private:
    void fail() const;

    Connection &m_connection;
    sqlite3_stmt *m_statement = nullptr;
};

} // namespace taskstore
