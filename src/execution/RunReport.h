#pragma once

#include "taskstore/RunHistoryStore.h"
#include "verdict/Evaluation.h"
#include "verdict/ExchangeRecord.h"

#include <optional>

namespace execution {

// What one run found, as the run engine filled it: the verdict with every check that did
// not hold, the client's records and the history row stored for the run.
struct RunReport {
    // False when the run ended before it was judged (an error, or shut-down); the rest is
    // then empty and the verdict "not evaluated".
    bool judged = false;
    verdict::VerdictReport verdict;
    std::optional<verdict::ExchangeFile> records; // none: the client kept no records
    taskstore::RunRecord historyRow;
};

} // namespace execution
