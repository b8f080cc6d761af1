#include "platform/CommandLine.h"
#include "support/TempProgramDir.h"

#include <QFile>

#include <gtest/gtest.h>

using platform::splitCommandLine;

TEST(CommandLine, SplitsWordsAndGroupsQuotes)
{
    struct Case {
        const char *line;
        QStringList words;
    };
    const Case cases[] = {
        {"", {}},
        {"   ", {}},
        {"radclient -c 1  -f  \"script/42.txt\"  -i 0", {"radclient", "-c", "1", "-f", "script/42.txt", "-i", "0"}},
        {"a \"b c\" d", {"a", "b c", "d"}},
        {"x\"y z\"w", {"xy zw"}},
        {"\"\"", {""}},
        {"10.0.0.5:1812 1 my secret", {"10.0.0.5:1812", "1", "my", "secret"}},
        {"tab\tseparated", {"tab", "separated"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(splitCommandLine(QString::fromUtf8(c.line)), c.words) << c.line;
}

TEST(CommandLine, ProgramDirectoryComesBeforePath)
{
    testsupport::TempProgramDir dir;
    EXPECT_TRUE(platform::resolveProgram(QStringLiteral("sh")).startsWith(QLatin1String("/")));
    EXPECT_TRUE(platform::resolveProgram(QStringLiteral("no-such-program-here")).isEmpty());

    ASSERT_TRUE(dir.writeFile(QStringLiteral("sh"), "#!/bin/sh\n"));
    QFile::setPermissions(dir.filePath(QStringLiteral("sh")), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(platform::resolveProgram(QStringLiteral("sh")), dir.filePath(QStringLiteral("sh")));
}

TEST(CommandLine, QuotedWordsComeBackAsThemselves)
{
    const QStringList words = {"testing123", "",      "two words", "ab\"cd",      "\"",     "\\",       "a\\\"b c",
                               "end\\",      " lead", "tab\there", "back\\slash", "\\\\\"", "x\"y z\"w"};
    for (const QString &word : words) {
        const QString quoted = platform::quoteCommandWord(word);
        EXPECT_EQ(splitCommandLine("a " + quoted + " b"), QStringList({"a", word, "b"})) << quoted.toStdString();
    }
    // What needs no quotes goes in as stored.
    EXPECT_EQ(platform::quoteCommandWord("back\\slash"), "back\\slash");
    EXPECT_EQ(platform::quoteCommandWord("10.0.0.5:1812"), "10.0.0.5:1812");
}
