#pragma once

#include <QByteArrayView>

namespace groupfile {

// The words of a group file, shared by its writer and its reader.
inline constexpr QByteArrayView kHeaderComment = "# Pellion task group";
inline constexpr QByteArrayView kFormatKey = "format";
inline constexpr QByteArrayView kFormatVersion = "1";
inline constexpr QByteArrayView kGroupKey = "group";
inline constexpr QByteArrayView kTaskKey = "task";
inline constexpr QByteArrayView kScheduleKey = "schedule";
inline constexpr QByteArrayView kStartWord = "start";
inline constexpr QByteArrayView kExpectKey = "expect";
inline constexpr QByteArrayView kReplyWord = "reply";
inline constexpr QByteArrayView kWithinWord = "within";
inline constexpr QByteArrayView kCheckWord = "check";
inline constexpr QByteArrayView kScriptKey = "script";
inline constexpr QByteArrayView kScriptEndKey = "script-end";
inline constexpr QByteArrayView kEndKey = "end";
// The packet script file's line end.
inline constexpr QByteArrayView kScriptLineEnd = "\r\n";

} // namespace groupfile
