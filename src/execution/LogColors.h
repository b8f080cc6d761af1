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

    // 0x00BBGGRR or a system colour -> a colour to paint with. System colours come from
    // the application palette; the desktop background (1) is the highlight colour, which
    // reads well on a light pane.
    static QColor toColor(quint32 value);
    static quint32 fromColor(const QColor &color); // -> 0x00BBGGRR
};

} // namespace execution
