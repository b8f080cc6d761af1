#pragma once

#include "verdict/Evaluation.h"

#include <QStringList>

namespace verdict {

// The verdict's lines for the log, in the current language: one line with the verdict,
// then one per failed check saying which packet, what was expected and what came.
QStringList verdictLines(const VerdictReport &report);

// One failed check's parts in the current language: what was expected, what came, and
// the whole log line ("Packet 1 (pass 1): expected ...; came: ...").
QString expectedText(const CheckFailure &failure);
QString cameText(const CheckFailure &failure);
QString failureLine(const CheckFailure &failure);

// "pass", "fail", "not evaluated" in the current language.
QString verdictName(taskstore::Verdict verdict);

} // namespace verdict
