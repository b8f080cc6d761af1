#pragma once

#include "verdict/ExchangeRecord.h"

#include <QList>

#include <optional>

namespace verdict {

// Response-time percentiles in milliseconds over the exchanges that got a verified reply,
// by nearest rank; unset when none did.
struct ResponsePercentiles {
    std::optional<double> p50;
    std::optional<double> p95;
    std::optional<double> p99;
    std::optional<double> max;
};

ResponsePercentiles responsePercentiles(const QList<Exchange> &exchanges);

} // namespace verdict
