#pragma once

#include <QString>

namespace scheduling {

// A schedule text in the current language (section [frmSch]), or the built-in English.
QString scheduleText(const char *key, const char *builtIn);
// A day's name, Monday 0 to Sunday 6.
QString dayName(int mondayFirst);

} // namespace scheduling
