// Which help page opens: the one a language names, when it is inside the help folder.
#include "shell/HelpPage.h"

#include <QDir>
#include <QFile>
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

} // namespace
