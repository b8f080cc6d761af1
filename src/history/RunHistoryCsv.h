#pragma once

#include "taskstore/RunHistoryStore.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace history {

// A task's runs as CSV for spreadsheets and scripts: a heading line of fixed English words,
// then one line a run; times as "yyyy-MM-dd HH:mm:ss", milliseconds with a point, an empty
// field where no reply gave a time; CR LF line ends.
class RunHistoryCsv {
public:
    static QByteArray text(const QList<taskstore::RunRecord> &runs);
    // Replaces the file whole: a failed write leaves what was there. False with the reason.
    static bool write(const QString &path, const QList<taskstore::RunRecord> &runs, QString *error);
};

} // namespace history
