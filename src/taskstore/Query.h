#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace taskstore {

class Connection;

// A named query object on one connection. Opening reads the whole result at once, so no
// cursor stays open while other statements run. Fields are read by column name without
// regard to case; an empty result or an empty column reads as "", 0 or an invalid moment.
// The date-time columns (LastRunTime, NextRunTime) read back in their regional text form.
class Query {
public:
    explicit Query(Connection &connection);

    // Both throw DatabaseError with the database's text when the statement is rejected.
    void open(const QString &sql);
    void exec(const QString &sql);
    Connection &connection() const { return m_connection; }

    bool isEmpty() const { return m_rows.isEmpty(); }
    int rowCount() const { return int(m_rows.size()); }
    // Row walking: first(), then next() until atEnd().
    void first() { m_row = 0; }
    void next() { ++m_row; }
    bool atEnd() const { return m_row >= m_rows.size(); }

    QString asText(const QString &column) const;
    int asInteger(const QString &column) const;
    QDateTime asDateTime(const QString &column) const;

private:
    QVariant field(const QString &column) const;
    void run(const QString &sql, bool keepRows);

    Connection &m_connection;
    QStringList m_columns; // lower-cased
    QList<QList<QVariant>> m_rows;
    qsizetype m_row = 0;
};

// The two operations through which every statement is issued.
void OpenQuery(Query &query, const QString &sql);
void ExecQuery(Query &query, const QString &sql);

} // namespace taskstore
