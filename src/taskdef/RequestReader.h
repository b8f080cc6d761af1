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
        QString error;     // why reading stopped early or never started; empty otherwise
        int errorLine = 0; // the file line of that error; 0 when the file could not be opened
    };
    // Reporting::CallerOnly leaves the error to the caller instead of the standard error stream.
    enum class Reporting { StandardError, CallerOnly };
    static Outcome read(const QString &path, Reporting reporting = Reporting::StandardError);
};

} // namespace taskdef
