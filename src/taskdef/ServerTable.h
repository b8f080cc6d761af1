#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace taskstore {
class Connection;
}

namespace taskdef {

struct ServerEntry {
    QString serverId;
    QString serverIp;
    QString secretKey;
};

// The Server table as the server manager and the task editor use it. Every call throws
// taskstore::DatabaseError when the database rejects its statement.
class ServerTable {
public:
    explicit ServerTable(taskstore::Connection &connection);

    QList<ServerEntry> all() const;
    QStringList addresses() const;
    // The secret of the last row with that address; nothing when there is none.
    std::optional<QString> secretOfAddress(const QString &serverIp) const;
    QString secretOf(const QString &serverId) const;
    // A key that no server row has yet.
    QString newServerId() const;
    void insert(const ServerEntry &server);
    void remove(const QString &serverId);

    // The secret as the list shows it: one "*" per character, at most `limit` of them.
    static QString masked(const QString &secret, int limit);

private:
    taskstore::Connection &m_connection;
};

} // namespace taskdef
