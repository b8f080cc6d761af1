#pragma once

#include "verdict/Evaluation.h"

#include <QStringList>

namespace verdict {

// The verdict's lines for the log, in the current language: one line with the verdict,
// then one per failed check saying which packet, what was expected and what came.
QStringList verdictLines(const VerdictReport &report);

// "pass", "fail", "not evaluated" in the current language.
QString verdictName(taskstore::Verdict verdict);

} // namespace verdict
