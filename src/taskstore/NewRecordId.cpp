#include "taskstore/NewRecordId.h"

#include "taskstore/Query.h"
#include "taskstore/Statements.h"

#include <QRandomGenerator>

namespace taskstore {

QString NewRecordId()
{
    return QString::number(QRandomGenerator::global()->bounded(999999u));
}

namespace {
QString keyLookup(KeyTable table, const QString &id)
{
    switch (table) {
    case KeyTable::Task: return sql::selectTaskKey(id);
    case KeyTable::TaskGroup: return sql::selectGroupKey(id);
    case KeyTable::Server: return sql::selectServerKey(id);
    }
    return {};
}
} // namespace

QString NewRecordId(Query &query, KeyTable table, const std::function<QString()> &draw)
{
    for (;;) {
        QString id = draw ? draw() : NewRecordId();
        OpenQuery(query, keyLookup(table, id));
        if (query.isEmpty())
            return id;
    }
}

} // namespace taskstore
