#include "platform/UiThread.h"

#include <QCoreApplication>
#include <QThread>

namespace platform {

bool onUiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

void synchronize(const std::function<void()> &step)
{
    if (onUiThread() || !QCoreApplication::instance()) {
        step();
        return;
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), step, Qt::BlockingQueuedConnection);
}

} // namespace platform
