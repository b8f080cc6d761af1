#pragma once

#include "radius/PairOperator.h"
#include "taskdef/OctetText.h"

#include <QByteArray>
#include <QString>

namespace taskdef {

// One pair as read from a packet script line, not looked up in any dictionary.
struct ScriptPair {
    QByteArray name;
    radius::PairOperator op = radius::PairOperator::Equal;
    QByteArray value; // after quote removal and escapes; may hold any octet
    int line = 0;     // the file line it was read from (from 1)

    // As text; an octet outside UTF-8 shows as its octal escape.
    QString nameText() const { return OctetText::toText(name); }
    QString valueText() const { return OctetText::toText(value); }
};

} // namespace taskdef
