// The window-free parts of the shell: list order, close action, hints, language names.
#include "platform/HintText.h"
#include "shell/CloseAction.h"
#include "shell/LanguageMenu.h"
#include "shell/TaskListOrder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace shell;

TEST(TaskListOrderTest, ComparesFoldingOnlyAsciiLetters)
{
    struct Case {
        const char *a;
        const char *b;
        int sign;
    };
    const Case cases[] = {
        {"abc", "ABC", 0}, {"Alpha", "bravo", -1},       {"bravo", "ALPHA", 1},   {"ab", "abc", -1}, {"", "a", -1},
        {"_", "a", 1}, // letters fold to upper case, below "_"
        {"Z", "_", -1},    {"9/3/2026", "16/3/2026", 1}, {"\u00e9", "\u00c9", 1}, // outside A to Z: by code
    };
    for (const Case &c : cases) {
        const int result = compareListTexts(QString::fromUtf8(c.a), QString::fromUtf8(c.b));
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a << " vs " << c.b;
    }
}

TEST(TaskListOrderTest, OneFlagForAllColumnsAndMarksMove)
{
    TaskListOrder order;
    EXPECT_EQ(order.mark(0), TaskListOrder::Mark::Up);
    EXPECT_FALSE(order.headerClicked(0)); // first click: descending
    EXPECT_EQ(order.mark(0), TaskListOrder::Mark::Down);
    EXPECT_TRUE(order.headerClicked(3)); // another column: the same flag flips again
    EXPECT_EQ(order.mark(3), TaskListOrder::Mark::Up);
    EXPECT_EQ(order.mark(0), TaskListOrder::Mark::None);
    EXPECT_FALSE(order.headerClicked(3));
    EXPECT_EQ(order.mark(3), TaskListOrder::Mark::Down);
    EXPECT_EQ(order.sortColumn(), 3);
}

TEST(CloseActionTest, MapsEveryValue)
{
    EXPECT_EQ(closeActionFor(0), CloseAction::End);
    EXPECT_EQ(closeActionFor(1), CloseAction::AskFirst);
    EXPECT_EQ(closeActionFor(2), CloseAction::Minimise);
    EXPECT_EQ(closeActionFor(-1), CloseAction::Minimise);
    EXPECT_EQ(platform::longHint("Execute | Execute selected"), " Execute selected");
    EXPECT_EQ(platform::longHint("no bar"), "no bar");
}

TEST(LanguageMenuTest, ListsEveryEntryWithoutItsExtension)
{
    QTemporaryDir dir;
    for (const char *name : {"English.ini", "Deutsch.ini", "README.txt", "plain", "a.b.ini"})
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    QDir(dir.path()).mkdir("sub.d");
    QStringList names = languageMenuNames(dir.path());
    names.sort();
    EXPECT_EQ(names, QStringList({"Deutsch", "English", "README", "a.b", "plain", "sub"}));
    EXPECT_TRUE(languageMenuNames(dir.path() + "/missing").isEmpty());
}
