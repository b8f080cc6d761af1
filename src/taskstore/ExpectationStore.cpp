#include "taskstore/ExpectationStore.h"

#include "taskstore/BoundStatement.h"
#include "taskstore/DatabaseError.h"
#include "taskstore/StoreAttempt.h"
#include "taskstore/Transaction.h"

#include <map>

namespace taskstore {

namespace {
QVariant optionalValue(const std::optional<int> &value)
{
    return value ? QVariant(*value) : QVariant();
}

std::optional<int> optionalColumn(const BoundStatement &statement, int column)
{
    if (statement.isNull(column))
        return std::nullopt;
    return int(statement.integer(column));
}

void deleteExpectations(Connection &connection, const QString &taskId)
{
    BoundStatement(connection, "delete from TaskExpectationCheck where TaskID=?").bind(1, taskId).execute();
    BoundStatement(connection, "delete from TaskExpectation where TaskID=?").bind(1, taskId).execute();
}
} // namespace

ExpectationStore::ExpectationStore(Connection &connection) : m_connection(connection)
{
}

StoreResult<QList<PacketExpectation>> ExpectationStore::expectationsOf(const QString &taskId)
{
    return attempt<QList<PacketExpectation>>([&] {
        std::map<int, PacketExpectation> byPacket;
        BoundStatement packets(m_connection,
                               "select PacketNumber, ReplyCode, TimeLimitMs from TaskExpectation "
                               "where TaskID=? order by PacketNumber");
        packets.bind(1, taskId);
        while (packets.step()) {
            PacketExpectation &expectation = byPacket[int(packets.integer(0))];
            expectation.packetNumber = int(packets.integer(0));
            expectation.replyCode = optionalColumn(packets, 1);
            expectation.timeLimitMs = optionalColumn(packets, 2);
        }
        BoundStatement checks(m_connection,
                              "select PacketNumber, Attribute, Operator, Value from TaskExpectationCheck "
                              "where TaskID=? order by PacketNumber, Position");
        checks.bind(1, taskId);
        while (checks.step()) {
            const std::optional<CheckOperator> op = checkOperatorFromName(checks.text(2));
            if (!op)
                throw DatabaseError(
                    QStringLiteral("Unknown attribute check \"%1\" in task %2").arg(checks.text(2), taskId));
            PacketExpectation &expectation = byPacket[int(checks.integer(0))];
            expectation.packetNumber = int(checks.integer(0));
            expectation.checks.append({checks.text(1), *op, checks.text(3)});
        }
        QList<PacketExpectation> result;
        for (auto &entry : byPacket)
            result.append(std::move(entry.second));
        return result;
    });
}

StoreStatus ExpectationStore::replace(const QString &taskId, const QList<PacketExpectation> &expectations)
{
    return attempt<std::monostate>([&] {
        Transaction transaction(m_connection);
        deleteExpectations(m_connection, taskId);
        BoundStatement packet(m_connection,
                              "insert into TaskExpectation (TaskID, PacketNumber, ReplyCode, TimeLimitMs) "
                              "values (?, ?, ?, ?)");
        BoundStatement check(m_connection,
                             "insert into TaskExpectationCheck "
                             "(TaskID, PacketNumber, Position, Attribute, Operator, Value) "
                             "values (?, ?, ?, ?, ?, ?)");
        for (const PacketExpectation &expectation : expectations) {
            if (expectation.isEmpty())
                continue;
            packet.bind(1, taskId)
                .bind(2, expectation.packetNumber)
                .bind(3, optionalValue(expectation.replyCode))
                .bind(4, optionalValue(expectation.timeLimitMs))
                .execute();
            for (qsizetype k = 0; k < expectation.checks.size(); ++k) {
                const AttributeCheck &item = expectation.checks.at(k);
                check.bind(1, taskId)
                    .bind(2, expectation.packetNumber)
                    .bind(3, int(k))
                    .bind(4, item.attribute)
                    .bind(5, checkOperatorName(item.op))
                    .bind(6, checkTakesValue(item.op) ? item.value : QString())
                    .execute();
            }
        }
        transaction.commit();
        return std::monostate{};
    });
}

StoreStatus ExpectationStore::removeTask(const QString &taskId)
{
    return attempt<std::monostate>([&] {
        deleteExpectations(m_connection, taskId);
        return std::monostate{};
    });
}

void deleteExpectationsAndHistory(Connection &connection, const QString &taskId)
{
    deleteExpectations(connection, taskId);
    BoundStatement(connection, "delete from RunHistory where TaskID=?").bind(1, taskId).execute();
}

} // namespace taskstore
