#pragma once

#include "taskstore/Expectation.h"
#include "taskstore/StoreResult.h"

#include <QList>
#include <QString>

namespace taskstore {

class Connection;

// The expectations of each task, per packet, in tables of their own. Nothing here throws.
class ExpectationStore {
public:
    explicit ExpectationStore(Connection &connection);

    // The task's expectations by packet number; a packet without any has no entry.
    StoreResult<QList<PacketExpectation>> expectationsOf(const QString &taskId);
    // Replaces all of the task's expectations at once; empty ones are not kept.
    StoreStatus replace(const QString &taskId, const QList<PacketExpectation> &expectations);
    StoreStatus removeTask(const QString &taskId);

private:
    Connection &m_connection;
};

// The statements that remove a task's expectations and run history, for the task's delete.
void deleteExpectationsAndHistory(Connection &connection, const QString &taskId); // throws DatabaseError

} // namespace taskstore
