#include "reports/BackgroundStep.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>

TEST(BackgroundStep, RunsOffTheUiThreadWhileItServesEvents)
{
    std::atomic<bool> timerFired = false;
    QTimer::singleShot(0, [&] { timerFired = true; });
    QThread *stepThread = nullptr;
    // The step waits for a timer of the calling thread: it only ends if that thread
    // keeps serving events meanwhile (bounded, so a fault fails instead of hanging).
    const QStringList result = reports::BackgroundStep::run([&] {
        stepThread = QThread::currentThread();
        const QDeadlineTimer deadline(5000);
        while (!timerFired && !deadline.hasExpired())
            QThread::msleep(1);
        return QStringList{timerFired ? "served" : "blocked"};
    });
    EXPECT_EQ(result, QStringList{"served"});
    EXPECT_NE(stepThread, QCoreApplication::instance()->thread());
}
