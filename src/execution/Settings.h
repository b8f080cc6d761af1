#pragma once

#include "execution/MessageClass.h"

#include <QString>
#include <QThread>

namespace execution {

// The user settings under the key "PellionSet". Read fresh by every reader when it needs
// them (nothing caches them); the Options dialog writes all of them at once. A missing key
// gives every default below.
// Colours are in the window system's encoding: 0x00BBGGRR, or with the top bit set a
// system colour by index (0x80000001, the desktop background).
struct Settings {
    bool Minimized = false;
    bool HideTray = false;
    bool DisplaySplash = true;
    int WhenClose = 0; // 0 end, 1 ask first, other values minimise
    QString LogFileName = QStringLiteral("PellionLog.txt");
    int MaxLogFileSize = 0; // kilobytes; 0 = no limit
    quint32 SummaryClr = 0x80000001u;
    quint32 InfoClr = 0x808000u;
    quint32 WarningClr = 0x0000FFu;
    quint32 ErrorClr = 0x0000FFu;
    int ThrdPRI = 3; // 0 idle .. 6 time-critical; any other value time-critical

    static QString keyName(); // "PellionSet"
    static bool keyExists();
    // Opens the key without creating it; defaults when it is missing.
    static Settings read();
    // Creates the key when needed and writes all eleven values together; false when the
    // key cannot be written (the previous values then stay whole).
    bool write() const;

    quint32 colorValue(MessageClass messageClass) const;
    QThread::Priority threadPriority() const { return priorityOf(ThrdPRI); }

    static QThread::Priority priorityOf(int thrdPri);
};

} // namespace execution
