#pragma once

#include "taskstore/TaskRecord.h"

#include <QLatin1StringView>
#include <QString>

#include <array>
#include <climits>

namespace groupfile {

// A task value a group file carries, under its column's name: a text or a number with
// the range the program accepts.
struct TaskField {
    QLatin1StringView name;
    QString taskstore::TaskRecord::*text = nullptr;
    int taskstore::TaskRecord::*number = nullptr;
    int low = 0;
    int high = INT_MAX;
};

// In the order they are written.
inline const std::array<TaskField, 13> &taskFields()
{
    using R = taskstore::TaskRecord;
    static const std::array<TaskField, 13> fields = {{
        {QLatin1StringView("ServerIP"), &R::ServerIP},
        {QLatin1StringView("SecretKey"), &R::SecretKey},
        {QLatin1StringView("Port"), nullptr, &R::Port, 0, 65535},
        {QLatin1StringView("RequestType"), nullptr, &R::RequestType, 0, taskstore::kUserDefined},
        {QLatin1StringView("RequestTypeCode"), nullptr, &R::RequestTypeCode, 0, 255},
        {QLatin1StringView("AuthMode"), &R::AuthMode},
        {QLatin1StringView("RunType"), nullptr, &R::RunType, 0, taskstore::kRunBySchedule},
        {QLatin1StringView("StartID"), nullptr, &R::StartID},
        {QLatin1StringView("ReplyTimeout"), nullptr, &R::ReplyTimeout},
        {QLatin1StringView("RetryTimes"), nullptr, &R::RetryTimes},
        {QLatin1StringView("RepeatTimes"), nullptr, &R::RepeatTimes},
        {QLatin1StringView("NumPerSec"), nullptr, &R::NumPerSec},
        {QLatin1StringView("NumInParall"), nullptr, &R::NumInParall},
    }};
    return fields;
}

} // namespace groupfile
