#pragma once

#include "taskdef/RequestRecord.h"

#include <QString>

#include <vector>

namespace taskdef {

// Turns a script file's packets into requests through the loaded dictionary. A pair the
// dictionary cannot take (an unknown name, an unparsable value) ends the reading like a
// syntax error; the packets before it are kept.
class RequestReader {
public:
    struct Outcome {
        std::vector<RequestRecord> records;
        QString error;  // why reading stopped early or never started; empty otherwise
    };
    static Outcome read(const QString &path);
};

} // namespace taskdef
