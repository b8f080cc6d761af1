#pragma once

#include "taskstore/Expectation.h"
#include "taskstore/RunHistoryStore.h"
#include "verdict/ExchangeRecord.h"

#include <QList>
#include <QString>

namespace verdict {

// What a failed check expected and what came instead.
struct CheckFailure {
    enum class Expected {
        ReplyCode,      // detail: the code
        Attribute,      // the check
        TimeLimit,      // limitMs
        VerifiedReply,  // with no expectation for the packet
        Sent,           // the request could not be sent
        Record,         // no record of the exchange came
        NoErrorLine,    // a line of class Error (detail: its text)
        ReadableRecord, // a records line that does not read (detail: which)
    };
    enum class Came {
        ReplyCode,    // receivedCode, or no reply when unset
        Values,       // the attribute's values (none: no such attribute)
        NoReply,      // the check needed a reply
        Milliseconds, // receivedMs
        BadRegex,     // the expression does not compile (detail: why)
        Nothing,      // Sent, Record, NoErrorLine, ReadableRecord
    };

    int packet = 0;
    int repetition = 0;
    Expected expected = Expected::Record;
    Came came = Came::Nothing;
    std::optional<int> expectedCode;
    taskstore::AttributeCheck check;
    int limitMs = 0;
    std::optional<int> receivedCode;
    QStringList values;
    double receivedMs = 0;
    QString detail;
};

// How a run's output came out, as the verdict needs it.
struct RunOutcome {
    // The client was ours and asked for records; otherwise nothing can be judged.
    bool recordsAsked = false;
    std::optional<ExchangeFile> records; // none: the client wrote no records file
    int packetCount = 0;                 // packets in the task's packet file
    int repetitions = 1;                 // passes over the packet list
    QStringList errorLines;              // the client's lines of class Error
    bool stopped = false;
};

// Why a run was not evaluated.
enum class NotEvaluatedBecause {
    Evaluated,
    ForeignClient, // a client without the records option
    NoRecords,     // ours, but it wrote no records file (it did not start)
    Stopped,       // the run was stopped before the client ended
};

struct VerdictReport {
    taskstore::Verdict verdict = taskstore::Verdict::NotEvaluated;
    NotEvaluatedBecause notEvaluatedBecause = NotEvaluatedBecause::Evaluated;
    QList<CheckFailure> failures;
};

// Judges the run. A packet with expectations passes when its last exchange of each pass
// meets them (each exchange within the time limit); one without needs a verified reply.
// With no expectations at all, a line of class Error fails the run too: with them, an
// expected "no reply" writes such a line by design.
VerdictReport evaluate(const QList<taskstore::PacketExpectation> &expectations, const RunOutcome &outcome);

} // namespace verdict
