#include "taskdef/ServerTable.h"

#include "taskstore/NewRecordId.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"

namespace taskdef {

using taskstore::Query;

ServerTable::ServerTable(taskstore::Connection &connection) : m_connection(connection)
{
}

QList<ServerEntry> ServerTable::all() const
{
    Query query(m_connection);
    taskstore::OpenQuery(query, taskstore::sql::selectServers());
    QList<ServerEntry> servers;
    for (query.first(); !query.atEnd(); query.next())
        servers.append({query.asText(QStringLiteral("ServerID")), query.asText(QStringLiteral("ServerIP")),
                        query.asText(QStringLiteral("SecretKey"))});
    return servers;
}

QStringList ServerTable::addresses() const
{
    Query query(m_connection);
    taskstore::OpenQuery(query, taskstore::sql::selectServerIPs());
    QStringList addresses;
    for (query.first(); !query.atEnd(); query.next())
        addresses << query.asText(QStringLiteral("ServerIP"));
    return addresses;
}

std::optional<QString> ServerTable::secretOfAddress(const QString &serverIp) const
{
    Query query(m_connection);
    taskstore::OpenQuery(query, taskstore::sql::selectSecretOfServerIP(serverIp));
    std::optional<QString> secret;
    for (query.first(); !query.atEnd(); query.next())
        secret = query.asText(QStringLiteral("SecretKey"));
    return secret;
}

QString ServerTable::secretOf(const QString &serverId) const
{
    Query query(m_connection);
    taskstore::OpenQuery(query, taskstore::sql::selectServerSecret(serverId));
    return query.asText(QStringLiteral("SecretKey"));
}

QString ServerTable::newServerId() const
{
    Query query(m_connection);
    return taskstore::NewRecordId(query, taskstore::KeyTable::Server);
}

void ServerTable::insert(const ServerEntry &server)
{
    Query query(m_connection);
    taskstore::ExecQuery(query, taskstore::sql::insertServer(server.serverId, server.serverIp, server.secretKey));
}

void ServerTable::remove(const QString &serverId)
{
    Query query(m_connection);
    taskstore::ExecQuery(query, taskstore::sql::deleteServer(serverId));
}

QString ServerTable::masked(const QString &secret, int limit)
{
    return QString(std::min<qsizetype>(secret.size(), limit), QLatin1Char('*'));
}

} // namespace taskdef
