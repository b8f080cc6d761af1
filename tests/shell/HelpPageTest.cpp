// Which help page opens: the one a language names, when it is inside the help folder.
#include "shell/HelpPage.h"
#include "support/TempProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

bool touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

TEST(HelpPageTest, NamedPageWhenItIsThereAndInsideTheFolder)
{
    QTemporaryDir root;
    const QString help = root.filePath("Help");
    ASSERT_TRUE(touch(help + "/index.html"));
    ASSERT_TRUE(touch(help + "/zh/index.html"));
    ASSERT_TRUE(touch(root.filePath("outside.html")));
    ASSERT_TRUE(QDir().mkpath(help + "/empty"));
    struct Case {
        const char *named;
        const char *expected; // relative to the help folder
    };
    const Case cases[] = {
        {"zh/index.html", "zh/index.html"},
        {" zh/index.html ", "zh/index.html"},
        {"zh/../zh/index.html", "zh/index.html"},
        {"index.html", "index.html"},
        {"", "index.html"},
        {"fr/index.html", "index.html"},   // not there
        {"empty", "index.html"},           // a folder, not a page
        {"../outside.html", "index.html"}, // out of the help folder
        {"zh/../../outside.html", "index.html"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(shell::helpPagePath(help, QString::fromUtf8(c.named)), help + "/" + c.expected) << c.named;
    EXPECT_EQ(shell::helpPagePath(help, root.filePath("outside.html")), help + "/index.html");
}

// The shipped help pages: every link of the contents leads to a section of the page, every
// picture is there, and both languages have the same sections.
TEST(HelpPageTest, ShippedPagesLinkTheirSectionsAndPictures)
{
    const QString help = testsupport::TempProgramDir::sourceDataDir() + "/Help/";
    const auto matches = [](const QString &page, const char *pattern) {
        QStringList found;
        for (auto it = QRegularExpression(pattern).globalMatch(page); it.hasNext();)
            found << it.next().captured(1);
        return found;
    };
    QList<QStringList> sectionsOfEach;
    for (const char *relative : {"index.html", "zh/index.html"}) {
        QFile file(help + relative);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << relative;
        const QString page = QString::fromUtf8(file.readAll());
        const QStringList ids = matches(page, R"re(\bid="([^"]+)")re");
        for (const QString &target : matches(page, R"re(href="#([^"]+)")re"))
            EXPECT_TRUE(ids.contains(target)) << relative << ": no section #" << target.toStdString();
        const QString folder = QFileInfo(help + relative).absolutePath() + "/";
        for (const QString &picture : matches(page, R"re(<img[^>]*\bsrc="([^"]+)")re"))
            EXPECT_TRUE(QFile::exists(folder + picture)) << relative << ": no picture " << picture.toStdString();
        sectionsOfEach << matches(page, R"re(<h2 id="([^"]+)")re");
    }
    EXPECT_EQ(sectionsOfEach[0], sectionsOfEach[1]);
    for (const char *section : {"expectations", "transport", "history", "security", "decoder", "commandline"})
        EXPECT_TRUE(sectionsOfEach[0].contains(section)) << section;
}

} // namespace
