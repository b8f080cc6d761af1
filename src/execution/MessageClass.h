#pragma once

#include <QString>

namespace execution {

// The class of one output line of a client; each has its colour setting.
enum class MessageClass { Summary, Info, Warning, Error };

// First marker found wins, case-sensitive, anywhere in the line: "Info:", "Warning:",
// "Error:", "Total"; a line with none is Info.
MessageClass ClassifyLine(const QString &text);

} // namespace execution
