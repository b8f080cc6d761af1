#pragma once

#include "taskdef/ScriptPair.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace taskdef {

// Parses one pair line: name, operator, value, then the line end, a comma and the next
// pair, or a '#' that makes the rest a comment.
class ScriptLineParser {
public:
    struct Outcome {
        QList<ScriptPair> pairs;
        QString error; // the syntax error's message; empty when the line is good
        bool ok() const { return error.isEmpty(); }
    };

    static Outcome parse(QByteArrayView line);
};

} // namespace taskdef
