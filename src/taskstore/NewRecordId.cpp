#include "taskstore/NewRecordId.h"

#include <QRandomGenerator>

namespace taskstore {

QString NewRecordId()
{
    return QString::number(QRandomGenerator::global()->bounded(999999u));
}

} // namespace taskstore
