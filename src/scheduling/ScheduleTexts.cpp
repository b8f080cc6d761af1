#include "scheduling/ScheduleTexts.h"

#include "platform/CurrentLanguage.h"

namespace scheduling {

QString scheduleText(const char *key, const char *builtIn)
{
    return platform::CurrentLanguage::text("frmSch", key, builtIn);
}

QString dayName(int mondayFirst)
{
    static const char *const keys[] = {"Day.Monday", "Day.Tuesday",  "Day.Wednesday", "Day.Thursday",
                                       "Day.Friday", "Day.Saturday", "Day.Sunday"};
    // "Thurday" is the name the descriptions have always shown.
    static const char *const names[] = {"Monday", "Tuesday", "Wednesday", "Thurday", "Friday", "Saturday", "Sunday"};
    return scheduleText(keys[mondayFirst], names[mondayFirst]);
}

} // namespace scheduling
