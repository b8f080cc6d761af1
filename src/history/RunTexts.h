#pragma once

#include "platform/LanguageFile.h"
#include "taskstore/RunHistoryStore.h"

#include <QString>

namespace history {

// The words a run's verdict and trigger are shown with in one language, read once, so a
// table of many runs does not read the language file per cell.
class RunTexts {
public:
    explicit RunTexts(const platform::LanguageFile &file);
    // In the current language.
    static RunTexts current();

    QString verdict(taskstore::Verdict verdict) const;
    QString trigger(taskstore::RunTrigger trigger) const;

    // Fixed English words, for files that other programs read.
    static QString verdictWord(taskstore::Verdict verdict);
    static QString triggerWord(taskstore::RunTrigger trigger);

private:
    QString m_verdicts[3];
    QString m_triggers[3];
};

} // namespace history
