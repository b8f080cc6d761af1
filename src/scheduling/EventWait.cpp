#include "scheduling/EventWait.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace scheduling {

bool waitProcessingEvents(const std::function<bool()> &done, int milliseconds)
{
    if (done())
        return true;
    QEventLoop loop;
    QDeadlineTimer deadline(milliseconds);
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired())
            loop.quit();
    });
    poll.start();
    loop.exec();
    return done();
}

} // namespace scheduling
