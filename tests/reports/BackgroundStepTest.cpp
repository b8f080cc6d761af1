#include "reports/BackgroundStep.h"

#include <QCoreApplication>
#include <QSemaphore>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

TEST(BackgroundStep, RunsOffTheUiThreadWhileItServesEvents)
{
    QSemaphore timerFired;
    QTimer::singleShot(0, [&] { timerFired.release(); });
    QThread *stepThread = nullptr;
    // The step waits for a timer of the calling thread: it only ends if that thread
    // keeps serving events meanwhile (bounded, so a fault fails instead of hanging).
    const QStringList result = reports::BackgroundStep::run([&] {
        stepThread = QThread::currentThread();
        return QStringList{timerFired.tryAcquire(1, 5000) ? "served" : "blocked"};
    });
    EXPECT_EQ(result, QStringList{"served"});
    EXPECT_NE(stepThread, QCoreApplication::instance()->thread());
}
