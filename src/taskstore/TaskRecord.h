#pragma once

#include "taskstore/TaskEapSettings.h"
#include "taskstore/TaskTransport.h"

#include <QString>

namespace taskstore {

// One task as read from its Task row and its TaskOption row.
struct TaskRecord {
    QString TaskID;
    QString GroupID;
    QString TaskName;
    QString ServerIP;
    QString SecretKey;
    int Port = 0;
    int RequestType = 0;
    int RequestTypeCode = 0;
    QString AuthMode;
    int RunType = 0;
    int StartID = 0;
    int ReplyTimeout = 0;
    int RetryTimes = 0;
    int RepeatTimes = 0;
    int NumPerSec = 0;
    int NumInParall = 0;
    TaskTransport Transport; // the task's TaskTransport row
    TaskEapSettings Eap;     // the task's TaskEapSettings row
};

// Task.RequestType values.
enum RequestType { kAuth = 0, kAcct = 1, kStatusServer = 2, kDisconnect = 3, kUserDefined = 4 };

// Task.RunType values.
enum RunType { kRunManually = 0, kRunBySchedule = 1 };

} // namespace taskstore
