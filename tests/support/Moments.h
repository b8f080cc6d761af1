#pragma once

#include <QDateTime>
#include <QString>

namespace testsupport {

// A moment written as ISO text ("2026-03-20T09:30:00"), so test data reads as dates.
inline QDateTime at(const char *iso)
{
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

} // namespace testsupport
