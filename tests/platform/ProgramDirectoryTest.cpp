#include "platform/ProgramDirectory.h"
#include "platform/CommandLine.h"
#include "support/TempProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using platform::ProgramDirectory;

namespace {

// An installed program directory (the shipped data plus a client) and a home for the
// per-user one.
class ProgramDirectoryLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        QDir(m_root.path()).mkpath(QStringLiteral("installed"));
        copyData(testsupport::TempProgramDir::sourceDataDir(), installed());
        writeFile(installed() + QStringLiteral("radclient"), "#!/bin/sh\n");
        QFile::setPermissions(installed() + QStringLiteral("radclient"), QFile::ReadOwner | QFile::ExeOwner);
    }

    QString installed() const { return m_root.path() + QStringLiteral("/installed/"); }
    QString perUser() const { return m_root.path() + QStringLiteral("/home/.local/share/Pellion/"); }

    static void writeFile(const QString &path, const QByteArray &content)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void copyData(const QString &from, const QString &to)
    {
        for (const QString &relative :
             {QStringLiteral("dictionary/dictionary"), QStringLiteral("dictionary/userdefine/dictionary"),
              QStringLiteral("Language/English.ini"), QStringLiteral("Help/index.html")})
            writeFile(to + relative, readFile(from + QLatin1Char('/') + relative));
    }

    QTemporaryDir m_root;
};

TEST_F(ProgramDirectoryLayout, WritableInstallStaysThePortableProgramDirectory)
{
    EXPECT_EQ(ProgramDirectory::prepare(installed(), perUser(), true), installed());
    EXPECT_FALSE(QFileInfo::exists(perUser()));
}

TEST_F(ProgramDirectoryLayout, ReadOnlyInstallSeedsAPerUserProgramDirectory)
{
    ASSERT_EQ(ProgramDirectory::prepare(installed(), perUser(), false), perUser());
    for (const char *copied :
         {"dictionary/dictionary", "dictionary/userdefine/dictionary", "Language/English.ini", "Help/index.html"}) {
        const QString relative = QString::fromLatin1(copied);
        EXPECT_TRUE(QFileInfo::exists(perUser() + relative)) << copied;
        EXPECT_EQ(readFile(perUser() + relative), readFile(installed() + relative)) << copied;
        EXPECT_TRUE(QFileInfo(perUser() + relative).isWritable()) << copied;
    }
    for (const char *folder : {"script", "Log"}) {
        EXPECT_TRUE(QFileInfo(perUser() + QLatin1String(folder)).isDir()) << folder;
        EXPECT_TRUE(QDir(perUser() + QLatin1String(folder)).isEmpty()) << folder;
    }
    // Programs stay where they are installed.
    EXPECT_FALSE(QFileInfo::exists(perUser() + QStringLiteral("radclient")));
}

TEST_F(ProgramDirectoryLayout, LaterStartsKeepWhatTheUserWroteAndRefreshTheProgramsFiles)
{
    ProgramDirectory::prepare(installed(), perUser(), false);
    const QByteArray index =
        readFile(perUser() + QStringLiteral("dictionary/userdefine/dictionary")) + "$INCLUDE Acme\n";
    writeFile(perUser() + QStringLiteral("dictionary/userdefine/dictionary"), index);
    writeFile(perUser() + QStringLiteral("dictionary/userdefine/Acme"), "VENDOR Acme 64000\n");
    writeFile(perUser() + QStringLiteral("Pellion.dat"), "tasks");
    writeFile(perUser() + QStringLiteral("script/1.txt"), "User-Name = \"bob\"\n");
    // An upgrade brings a new language file.
    writeFile(installed() + QStringLiteral("Language/English.ini"), "[TfrmMain]\nCaption=Upgraded\n");

    ASSERT_EQ(ProgramDirectory::prepare(installed(), perUser(), false), perUser());
    EXPECT_EQ(readFile(perUser() + QStringLiteral("dictionary/userdefine/dictionary")), index);
    EXPECT_EQ(readFile(perUser() + QStringLiteral("dictionary/userdefine/Acme")), "VENDOR Acme 64000\n");
    EXPECT_EQ(readFile(perUser() + QStringLiteral("Pellion.dat")), "tasks");
    EXPECT_EQ(readFile(perUser() + QStringLiteral("script/1.txt")), "User-Name = \"bob\"\n");
    EXPECT_EQ(readFile(perUser() + QStringLiteral("Language/English.ini")), "[TfrmMain]\nCaption=Upgraded\n");
}

TEST_F(ProgramDirectoryLayout, ClientsBesideTheExecutablesComeBeforePath)
{
    QTemporaryDir otherBin;
    writeFile(otherBin.filePath(QStringLiteral("radclient")), "#!/bin/sh\n");
    QFile::setPermissions(otherBin.filePath(QStringLiteral("radclient")), QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(otherBin.path()) + ':' + oldPath);
    const QString previous = QDir::currentPath();

    ProgramDirectory::enter(ProgramDirectory::prepare(installed(), perUser(), false), installed());
    EXPECT_EQ(ProgramDirectory::path(), perUser());
    EXPECT_EQ(QDir::currentPath() + QLatin1Char('/'), perUser());
    EXPECT_EQ(platform::resolveProgram(QStringLiteral("radclient")), installed() + QStringLiteral("radclient"));

    ProgramDirectory::enter(previous);
    qputenv("PATH", oldPath);
}

TEST(ProgramDirectory, PerUserDirectoryFollowsXdgDataHome)
{
    // The tests' own data location is off while the user's is asked for.
    QStandardPaths::setTestModeEnabled(false);
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/tmp/pellion-xdg-test");
    EXPECT_EQ(ProgramDirectory::perUserDirectory(), QStringLiteral("/tmp/pellion-xdg-test/Pellion"));
    QStandardPaths::setTestModeEnabled(true);
    if (old.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", old);
}

} // namespace
