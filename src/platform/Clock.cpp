#include "platform/Clock.h"

#include <QMutex>

namespace platform {

namespace {
QMutex s_mutex;
QDateTime s_frozen;
} // namespace

QDateTime Clock::now()
{
    QMutexLocker lock(&s_mutex);
    return s_frozen.isValid() ? s_frozen : QDateTime::currentDateTime();
}

void Clock::setNow(const QDateTime &moment)
{
    QMutexLocker lock(&s_mutex);
    s_frozen = moment;
}

void Clock::advance(qint64 milliseconds)
{
    QMutexLocker lock(&s_mutex);
    if (s_frozen.isValid())
        s_frozen = s_frozen.addMSecs(milliseconds);
}

} // namespace platform
