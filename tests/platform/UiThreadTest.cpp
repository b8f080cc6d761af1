#include "platform/UiThread.h"
#include "support/SpinWait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>

namespace {
// Runs `body` on a worker bound to `line`; finish() waits for it.
class Worker {
public:
    Worker(platform::HandOverLine &line, std::function<void()> body)
        : m_thread(QThread::create([&line, body = std::move(body)] {
              const platform::HandOverLine::Binding binding(line);
              body();
          }))
    {
        m_thread->start();
    }
    ~Worker() { m_thread->wait(); }
    // Events run while it ends, so that steps it hands over can run.
    void finish()
    {
        QEventLoop loop;
        QObject::connect(m_thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
        if (!m_thread->isFinished())
            loop.exec();
        m_thread->wait();
    }
    bool isFinished() const { return m_thread->isFinished(); }

private:
    std::unique_ptr<QThread> m_thread;
};

} // namespace

TEST(UiThread, WorkerStepsRunOnTheUiThreadAndWait)
{
    QThread *stepThread = nullptr;
    bool workerSawResult = false;
    bool handed = false;
    QString raised;
    platform::HandOverLine line;
    Worker worker(line, [&] {
        int value = 0;
        handed = platform::synchronize([&] {
            stepThread = QThread::currentThread();
            value = 42;
        });
        workerSawResult = value == 42; // the step has run when synchronize returns
        try {
            platform::synchronize([] { throw std::runtime_error("in the step"); });
        } catch (const std::runtime_error &error) {
            raised = error.what(); // raised again on the worker, not in the event loop
        }
    });
    worker.finish();
    EXPECT_TRUE(handed);
    EXPECT_EQ(stepThread, QCoreApplication::instance()->thread());
    EXPECT_TRUE(workerSawResult);
    EXPECT_EQ(raised, "in the step");

    bool ranInline = false;
    EXPECT_TRUE(platform::synchronize([&] { ranInline = true; }));
    EXPECT_TRUE(ranInline);
}

TEST(UiThread, AClosedLineRefusesTheWaitingStepAndEveryLaterOne)
{
    platform::HandOverLine line;
    std::atomic<int> ran{0};
    std::atomic<bool> firstHanded{true}, laterHanded{true};
    std::atomic<QThread *> ranOn{nullptr};
    Worker worker(line, [&] {
        firstHanded = platform::synchronize([&] {
            ranOn = QThread::currentThread();
            ++ran;
        });
        laterHanded = platform::synchronize([&] { ++ran; });
    });
    ASSERT_TRUE(testsupport::spinUntil([&] { return line.hasWaitingStep(); }));
    line.close();
    ASSERT_TRUE(testsupport::spinUntil([&] { return worker.isFinished(); }));
    EXPECT_FALSE(firstHanded);
    EXPECT_FALSE(laterHanded);
    // The call still queued finds its step refused: it runs nothing, here or anywhere.
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(ranOn, nullptr);
    EXPECT_TRUE(line.isClosed());
}

TEST(UiThread, AStepTheApplicationDropsCountsAsRefused)
{
    platform::HandOverLine line;
    std::atomic<bool> ran{false};
    std::atomic<bool> handed{true};
    Worker worker(line, [&] { handed = platform::synchronize([&] { ran = true; }); });
    ASSERT_TRUE(testsupport::spinUntil([&] { return line.hasWaitingStep(); }));
    // What an ending application does with the calls still queued for it.
    QCoreApplication::removePostedEvents(QCoreApplication::instance(), QEvent::MetaCall);
    ASSERT_TRUE(testsupport::spinUntil([&] { return worker.isFinished(); }));
    EXPECT_FALSE(handed);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(line.isClosed());
}
