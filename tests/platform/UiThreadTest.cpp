#include "platform/UiThread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <gtest/gtest.h>

TEST(UiThread, WorkerStepsRunOnTheUiThreadAndWait)
{
    QThread *stepThread = nullptr;
    bool workerSawResult = false;
    QThread *worker = QThread::create([&] {
        int value = 0;
        platform::synchronize([&] {
            stepThread = QThread::currentThread();
            value = 42;
        });
        workerSawResult = value == 42; // the step has run when synchronize returns
    });
    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
    delete worker;
    EXPECT_EQ(stepThread, QCoreApplication::instance()->thread());
    EXPECT_TRUE(workerSawResult);

    bool ranInline = false;
    platform::synchronize([&] { ranInline = true; });
    EXPECT_TRUE(ranInline);
}
