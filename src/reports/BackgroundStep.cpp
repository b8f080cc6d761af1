#include "reports/BackgroundStep.h"

#include <QEventLoop>
#include <QThread>

#include <memory>

namespace reports {

QStringList BackgroundStep::run(const std::function<QStringList()> &step)
{
    QStringList result;
    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create([&result, &step] { result = step(); }));
    // Queued to this thread, so a step that ends before exec() still ends the loop.
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    return result;
}

} // namespace reports
