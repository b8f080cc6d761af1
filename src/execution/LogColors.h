#pragma once

#include "execution/MessageClass.h"

#include <QColor>

namespace execution {

struct Settings;

// The four line colours of one run, taken from its settings snapshot.
struct LogColors {
    QColor summary;
    QColor info;
    QColor warning;
    QColor error;

    static LogColors from(const Settings &settings);
    QColor of(MessageClass messageClass) const;
};

} // namespace execution
