#include "history/RunTexts.h"

#include "history/HistoryWords.h"
#include "platform/CurrentLanguage.h"

#include <array>

namespace history {

namespace {
// Indexed by the stored numbers of Verdict and RunTrigger. The verdicts have the words
// the run log gives them.
constexpr std::array<Words, 3> kVerdicts{{
    {"NotEvaluated", "not evaluated"},
    {"Pass", "pass"},
    {"Fail", "fail"},
}};
constexpr std::array<Words, 3> kTriggers{{
    {"Trigger.Manual", "manual"},
    {"Trigger.Scheduled", "scheduled"},
    {"Trigger.CommandLine", "command line"},
}};

// A number from the database that is none of the known ones reads as the first.
size_t slot(int stored)
{
    return stored >= 0 && stored < 3 ? size_t(stored) : 0;
}
} // namespace

RunTexts::RunTexts(const platform::LanguageFile &file)
{
    for (size_t i = 0; i < 3; ++i) {
        m_verdicts[i] = file.text(QStringLiteral("Verdict"), QString::fromLatin1(kVerdicts[i].key),
                                  QString::fromLatin1(kVerdicts[i].english));
        m_triggers[i] = historyText(file, kTriggers[i]);
    }
}

RunTexts RunTexts::current()
{
    return RunTexts(platform::CurrentLanguage::currentFile());
}

QString RunTexts::verdict(taskstore::Verdict verdict) const
{
    return m_verdicts[slot(int(verdict))];
}

QString RunTexts::trigger(taskstore::RunTrigger trigger) const
{
    return m_triggers[slot(int(trigger))];
}

QString RunTexts::verdictWord(taskstore::Verdict verdict)
{
    return QString::fromLatin1(kVerdicts[slot(int(verdict))].english);
}

QString RunTexts::triggerWord(taskstore::RunTrigger trigger)
{
    return QString::fromLatin1(kTriggers[slot(int(trigger))].english);
}

} // namespace history
