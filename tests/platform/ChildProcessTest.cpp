#include "platform/ChildProcess.h"
#include "support/TempProgramDir.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

using platform::ChildProcess;

namespace {
QByteArray readAll(ChildProcess &process)
{
    QByteArray output;
    char byte;
    while (process.readByte(byte))
        output += byte;
    return output;
}

void writeScript(const testsupport::TempProgramDir &dir, const char *name, const QByteArray &body)
{
    ASSERT_TRUE(dir.writeFile(QString::fromLatin1(name), "#!/bin/sh\n" + body));
    QFile::setPermissions(dir.filePath(QString::fromLatin1(name)),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
} // namespace

TEST(ChildProcess, BothStreamsArriveOnOnePipeAndWordsAreNotShellExpanded)
{
    testsupport::TempProgramDir dir;
    writeScript(dir, "speaker", "printf 'out:%s|' \"$@\"; printf 'err\\r\\n' >&2; pwd\n");
    auto started = ChildProcess::start(QStringLiteral("speaker  \"a b\" $HOME *"), dir.path());
    ASSERT_EQ(started.failure, ChildProcess::Failure::None);
    const QByteArray output = readAll(*started.process);
    EXPECT_TRUE(output.startsWith("out:a b|out:$HOME|out:*|err\r\n")) << output.constData();
    EXPECT_TRUE(output.endsWith(QFile::encodeName(dir.path().chopped(1)) + "\n")) << output.constData();
}

TEST(ChildProcess, StandardInputIsEmpty)
{
    testsupport::TempProgramDir dir;
    writeScript(dir, "reader", "cat; echo end\n");
    auto started = ChildProcess::start(QStringLiteral("reader"));
    ASSERT_TRUE(started.process);
    EXPECT_EQ(readAll(*started.process), QByteArray("end\n"));
}

TEST(ChildProcess, MissingProgramReportsTheSystemText)
{
    testsupport::TempProgramDir dir;
    auto started = ChildProcess::start(QStringLiteral("no-such-client -c 1"));
    EXPECT_FALSE(started.process);
    EXPECT_EQ(started.failure, ChildProcess::Failure::Start);
    EXPECT_EQ(started.errorText, QStringLiteral("No such file or directory"));
}

// The one descriptor handed over arrives as number 3 whatever number it had here.
TEST(ChildProcess, InheritsTheHandedDescriptorAsThree)
{
    testsupport::TempProgramDir dir;
    writeScript(dir, "fdreader", "cat /dev/fd/3\n");
    for (const bool low : {false, true}) {
        int fds[2];
        ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
        int handed = fds[0];
        // A descriptor at 3 or below must be moved out of the way of the child's own.
        if (low && handed != ChildProcess::kInheritedFd) {
            ASSERT_EQ(::dup3(fds[0], ChildProcess::kInheritedFd, O_CLOEXEC), ChildProcess::kInheritedFd);
            ::close(fds[0]);
            handed = ChildProcess::kInheritedFd;
        }
        ASSERT_EQ(::write(fds[1], "s3cret\n", 7), 7);
        ::close(fds[1]);
        auto started = ChildProcess::start(QStringLiteral("fdreader"), dir.path(), handed);
        ::close(handed);
        ASSERT_EQ(started.failure, ChildProcess::Failure::None);
        EXPECT_EQ(readAll(*started.process), QByteArray("s3cret\n"));
    }
}
