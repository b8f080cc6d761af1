#pragma once

#include <QString>

namespace taskdef {

// A row of the task editor's master list of attributes.
struct AttributeRow {
    QString attribute; // the attribute name
    QString value;     // in escaped form
    QString id;        // the row key, decimal digits, unique among the task's rows
    QString packageId; // the text of the packet node the row belongs to
};

} // namespace taskdef
