// The program as a process: single instance, start-up in its own directory; and start-up
// failures of the main window.
#include "ShellFixture.h"

#include "platform/SingleInstance.h"
#include "taskstore/DatabaseError.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

using namespace shelltest;

namespace {

class StartupTest : public ::testing::Test {
protected:
    // The program copied into the temporary program directory, with its settings and
    // instance guards in there too.
    void start(QProcess &process)
    {
        const QString program = dir.filePath("Pellion");
        ASSERT_TRUE(QFile::copy(PELLION_PROGRAM, program));
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(dir.filePath(".run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_RUNTIME_DIR", dir.filePath(".run"));
        environment.insert("XDG_CONFIG_HOME", dir.filePath(".config"));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, {});
        ASSERT_TRUE(process.waitForStarted(5000));
    }

    testsupport::TempProgramDir dir;
};

TEST_F(StartupTest, SecondInstanceEndsAtOnceAndTouchesNothing)
{
    platform::SingleInstance first("Pellion");
    ASSERT_TRUE(first.acquire());
    QProcess second;
    start(second);
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("Pellion.dat")));
}

TEST_F(StartupTest, FirstInstanceRunsInItsOwnDirectoryUntilStopped)
{
    QFile::remove(dir.filePath("dictionary/dictionary")); // a missing dictionary does not stop it
    QProcess program;
    start(program);
    // Its main window has opened the database in its own directory, and it runs on.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return QFile::exists(dir.filePath("Pellion.dat")) || program.state() == QProcess::NotRunning; }, 10000));
    EXPECT_EQ(program.state(), QProcess::Running) << program.readAll().constData();
    EXPECT_TRUE(QFile::exists(dir.filePath("Pellion.dat")));
    // It now holds the guard.
    platform::SingleInstance other("Pellion");
    EXPECT_FALSE(other.acquire());
    program.terminate();
    program.waitForFinished(5000);
}

TEST(MainWindowStartupTest, UnopenableDatabaseFailsTheWindowWithTheDatabaseText)
{
    testsupport::TempProgramDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("Pellion.dat")); // a directory where the file should be
    RecordingWindows windows;
    try {
        shell::TfrmMain window(windows);
        FAIL() << "the window was made";
    } catch (const taskstore::DatabaseError &error) {
        EXPECT_FALSE(error.text().isEmpty());
    }
}

} // namespace
