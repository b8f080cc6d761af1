#include "ClientRunner.h"
#include "FakeReplyServer.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <mutex>

#include <unistd.h>

// A run that waits for each reply keeps to one processor, so that its wake-ups stay local;
// a run with requests in parallel is left to the scheduler.

namespace {

const QByteArray kSecret = "testing123";

// "Cpus_allowed_list:" of /proc/<pid>/status, e.g. "0-1".
QByteArray allowedProcessors(const QString &pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("Cpus_allowed_list:"))
            return line.mid(18).trimmed();
    return {};
}

// The processors our radclient child may run on, read while it waits for the reply.
QByteArray childAllowedProcessors()
{
    const QByteArray parent = QByteArray::number(::getpid());
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (comm) state ppid ...
        const QList<QByteArray> fields = stat.readAll().split(' ');
        if (fields.size() > 3 && fields[1] == "(radclient)" && fields[3] == parent)
            return allowedProcessors(pid);
    }
    return {};
}

TEST(ProcessorAffinity, ASequentialRunKeepsToOneProcessorAndAParallelOneDoesNot)
{
    const QByteArray ours = allowedProcessors(QStringLiteral("self"));
    if (!ours.contains(',') && !ours.contains('-'))
        GTEST_SKIP() << "this test may run on one processor only: " << ours.toStdString();

    struct Case {
        const char *parallel;
        bool oneProcessor;
    };
    for (const Case c : {Case{"1", true}, Case{"2", false}}) {
        SCOPED_TRACE(c.parallel);
        std::mutex lock;
        QByteArray seen;
        FakeReplyServer server(
            [&](const QByteArray &request) {
                const QByteArray allowed = childAllowedProcessors();
                const std::lock_guard<std::mutex> guard(lock);
                seen = allowed;
                return FakeReplyServer::signedReply(request, 2, {}, kSecret);
            },
            1);
        ASSERT_TRUE(server.isListening());
        ClientRunner runner;
        const auto r = runner.run(
            ClientRunner::radclient(),
            {"-p", c.parallel, "-r", "0", "-t", "5", QStringLiteral("127.0.0.1:%1").arg(server.port()), "1", kSecret},
            "User-Name = bob\nUser-Password = hello\n");
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, 0) << r.text().toStdString();
        const std::lock_guard<std::mutex> guard(lock);
        ASSERT_FALSE(seen.isEmpty()) << "the client's process was not found";
        if (c.oneProcessor)
            EXPECT_FALSE(seen.contains(',') || seen.contains('-')) << seen.toStdString();
        else
            EXPECT_EQ(seen, ours);
    }
}

} // namespace
