#include "execution/ClientText.h"
#include "execution/LogPane.h"
#include "execution/PageCtrlLog.h"
#include "execution/RunClient.h"
#include "execution/RunFlags.h"
#include "execution/RunLogFile.h"
#include "execution/Settings.h"
#include "platform/ScriptedDialogService.h"
#include "support/TempProgramDir.h"
#include "taskstore/DateTimeText.h"

#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace execution;

namespace {
QColor colorOfLine(const LogPane &pane, int line)
{
    return pane.lineColor(line);
}
QString textOfLine(const LogPane &pane, int line)
{
    return pane.lineText(line);
}
const LogColors kColors{QColor(1, 1, 1), QColor(2, 2, 2), QColor(3, 3, 3), QColor(4, 4, 4)};
} // namespace

TEST(RunLogFile, SizeLimitAtStartup)
{
    testsupport::TempProgramDir dir;
    const QDateTime now = QDateTime::fromString("2026-03-20T09:00:00", Qt::ISODate);
    const QByteArray banner = "************************Pellion Log************************ "
        + taskstore::DateTimeText::dateTimeText(now).toUtf8() + "\r\n";
    struct Case {
        int limit;
        qint64 size;
        bool replaced;
    };
    const Case cases[] = {
        {100, 100 * 1024LL, false}, {100, 101 * 1024LL - 1, false}, {100, 101 * 1024LL, true}, {0, 500 * 1024LL, false},
        {100, -1, false}, // no file
    };
    for (const Case &c : cases) {
        QFile::remove(dir.filePath("Log/PellionLog.txt"));
        if (c.size >= 0) {
            ASSERT_TRUE(dir.writeFile("Log/PellionLog.txt", QByteArray(c.size, 'x')));
        }
        const auto result = RunLogFile::applySizeLimit("PellionLog.txt", c.limit, now);
        EXPECT_EQ(result, c.replaced ? RunLogFile::LimitResult::Replaced : RunLogFile::LimitResult::Kept)
            << c.limit << " " << c.size;
        if (c.replaced) {
            EXPECT_EQ(dir.readFile("Log/PellionLog.txt"), banner);
        } else if (c.size >= 0) {
            EXPECT_EQ(QFileInfo(dir.filePath("Log/PellionLog.txt")).size(), c.size);
        }
    }
}

TEST(RunLogFile, UnwritableFileIsReportedAndStartupGoesOn)
{
    testsupport::TempProgramDir dir;
    Settings s;
    s.MaxLogFileSize = 1;
    ASSERT_TRUE(s.write());
    // A directory in the file's place cannot be rewritten, whatever our rights.
    ASSERT_TRUE(QDir(dir.path()).mkpath("Log/PellionLog.txt/inner"));
    ASSERT_TRUE(dir.writeFile("Log/PellionLog.txt/inner/big", QByteArray(4096, 'x')));
    ASSERT_GE(QFileInfo(dir.filePath("Log/PellionLog.txt")).size(), 2048);
    platform::ScriptedDialogService dialogs;
    EXPECT_EQ(RunLogFile::applySizeLimitAtStartup(), RunLogFile::LimitResult::Failed);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.lastMessageText().contains("PellionLog.txt"));
}

TEST(RunLogFile, BlocksEndWithAnEmptyLineAndNeedTheLogFolder)
{
    testsupport::TempProgramDir dir;
    ASSERT_TRUE(RunLogFile::appendBlock("run.txt", {"first", "second"}));
    ASSERT_TRUE(RunLogFile::appendBlock("run.txt", {"third"}));
    EXPECT_EQ(dir.readFile("Log/run.txt"), QByteArray("first\r\nsecond\r\n\r\nthird\r\n\r\n"));
    ASSERT_TRUE(QDir(dir.filePath("Log")).removeRecursively());
    EXPECT_FALSE(RunLogFile::appendBlock("run.txt", {"lost"}));
    EXPECT_FALSE(QFile::exists(dir.filePath("Log/run.txt")));
}

TEST(PageCtrlLog, PagesAndNames)
{
    PageCtrlLog log;
    EXPECT_EQ(log.objectName(), "PageCtrlLog");
    EXPECT_EQ(log.tabPosition(), QTabWidget::South);
    ASSERT_EQ(log.count(), 1);
    EXPECT_EQ(log.tabText(0), "All Log");
    EXPECT_EQ(log.widget(0)->objectName(), "TabSheetLog");
    EXPECT_EQ(log.allLog()->objectName(), "RichEditLog");
    EXPECT_EQ(log.allLog()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    LogPane *a = log.openRunPage("Alpha");
    LogPane *b = log.openRunPage("Beta");
    EXPECT_EQ(log.count(), 3);
    EXPECT_EQ(log.tabText(2), "Active Log [Beta]");
    EXPECT_EQ(log.currentIndex(), 2);
    EXPECT_FALSE(log.isAllLogActive());
    log.closeRunPage(a);
    EXPECT_EQ(log.count(), 2);
    EXPECT_EQ(log.tabText(1), "Active Log [Beta]");
    log.closeRunPage(b);
    EXPECT_EQ(log.count(), 1);
}

TEST(LogPane, EachLineTakesItsClassColourAndEmptyLinesCount)
{
    LogPane pane;
    pane.appendLines({{"", MessageClass::Info}, {"w", MessageClass::Warning}}, kColors);
    pane.appendLines({{"t", MessageClass::Summary}, {"e", MessageClass::Error}}, kColors);
    ASSERT_EQ(pane.lineCount(), 4);
    EXPECT_EQ(pane.toPlainText(), "\nw\nt\ne");
    EXPECT_EQ(colorOfLine(pane, 1), kColors.warning);
    EXPECT_EQ(colorOfLine(pane, 2), kColors.summary);
    EXPECT_EQ(colorOfLine(pane, 3), kColors.error);
    pane.clear();
    pane.appendLine("again", QColor(9, 9, 9));
    EXPECT_EQ(pane.lineCount(), 1);
    EXPECT_EQ(pane.toPlainText(), "again");
}

TEST(PageCtrlLog, CopyIntoAllLogReclassifiesAndKeepsBlocksWhole)
{
    PageCtrlLog log;
    QStringList big;
    for (int i = 0; i < 2500; ++i)
        big << QString("Info: big %1").arg(i);
    log.copyToAllLog({"banner [Error: in a name]", "Warning: w", "Total: 1"}, kColors);
    log.copyToAllLog(big, kColors);
    log.copyToAllLog({"after"}, kColors);
    EXPECT_GT(log.pendingAllLogLines(), 0); // long blocks go in slices
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.pendingAllLogLines() == 0; }, 5000));
    const LogPane &pane = *log.allLog();
    ASSERT_EQ(pane.lineCount(), 3 + 2500 + 1);
    EXPECT_EQ(colorOfLine(pane, 0), kColors.error);
    EXPECT_EQ(colorOfLine(pane, 1), kColors.warning);
    EXPECT_EQ(colorOfLine(pane, 2), kColors.summary);
    EXPECT_EQ(textOfLine(pane, 3), "Info: big 0");
    EXPECT_EQ(textOfLine(pane, 2502), "Info: big 2499");
    EXPECT_EQ(textOfLine(pane, 2503), "after");
    EXPECT_EQ(colorOfLine(pane, 2503), kColors.info);
}

TEST(LogPane, FindMatchesCaseAndMovesOnFromTheSelection)
{
    LogPane pane;
    pane.appendLines(
        {{"Error: one", MessageClass::Error}, {"no match", MessageClass::Info}, {"an Error: two", MessageClass::Error}},
        kColors);
    EXPECT_FALSE(pane.find("error")); // case is matched exactly
    EXPECT_FALSE(pane.hasSelection());
    ASSERT_TRUE(pane.find("Error:"));
    EXPECT_EQ(pane.selectionStart(), (LogPane::Position{0, 0}));
    EXPECT_EQ(pane.selectedText(), "Error:");
    ASSERT_TRUE(pane.find("Error:"));
    EXPECT_EQ(pane.selectionStart(), (LogPane::Position{2, 3}));
    EXPECT_FALSE(pane.find("Error:")); // no further match: the selection stays
    EXPECT_EQ(pane.selectionStart(), (LogPane::Position{2, 3}));
    pane.select({0, 7}, {2, 2});
    EXPECT_EQ(pane.selectedText(), "one\nno match\nan");
}

TEST(LogPane, FollowsTheEndUntilTheUserScrollsAway)
{
    LogPane pane;
    pane.resize(200, 120);
    pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    QScrollBar *bar = pane.verticalScrollBar();
    auto atEnd = [&] { return bar->maximum() > 0 && bar->value() == bar->maximum(); };
    // Each append as its own batch, with the window's events in between, as runs deliver.
    auto append = [&](const QString &text) {
        pane.appendLine(text, Qt::black);
        QCoreApplication::processEvents();
    };
    for (int i = 0; i < 20; ++i)
        append(QString("line %1").arg(i));
    EXPECT_TRUE(atEnd());
    append(QString(300, 'x')); // wider than the pane: the horizontal bar takes room
    ASSERT_TRUE(pane.horizontalScrollBar()->isVisible());
    for (int i = 0; i < 5; ++i)
        append(QString("after %1").arg(i));
    EXPECT_TRUE(atEnd()) << bar->value() << " of " << bar->maximum();

    // Scrolled away by the user: new lines leave the view alone; back at the end it follows.
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    const int kept = bar->value();
    append("unseen");
    EXPECT_EQ(bar->value(), kept);
    QTest::keyClick(&pane, Qt::Key_End, Qt::ControlModifier);
    append("seen");
    EXPECT_TRUE(atEnd());
}

TEST(LogPane, BytesThatAreNotUtf8ShowAsOctalEscapes)
{
    testsupport::TempProgramDir dir;
    platform::ScriptedDialogService dialogs;
    ASSERT_TRUE(dir.writeFile("fakeclient", "#!/bin/sh\nprintf 'caf\\351 \\303\\251\\r\\nError: \\377\\r\\n'\n"));
    QFile::setPermissions(dir.filePath("fakeclient"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QList<ClientLine> lines;
    RunFlags flags;
    RunClient(
        "fakeclient", [&](const QList<ClientLine> &batch) { lines += batch; }, flags);
    ASSERT_EQ(lines.size(), 2);
    QStringList texts;
    for (const ClientLine &line : lines)
        texts << line.text;

    // The log file keeps the client's bytes; the panes show what is not UTF-8 visibly.
    ASSERT_TRUE(RunLogFile::appendBlock("run.txt", texts));
    EXPECT_EQ(dir.readFile("Log/run.txt"), QByteArray("caf\xE9 \xC3\xA9\r\nError: \xFF\r\n\r\n"));
    LogPane pane;
    pane.appendLines(lines, kColors);
    EXPECT_EQ(textOfLine(pane, 0), QString::fromUtf8("caf\\351 \xC3\xA9"));
    EXPECT_EQ(textOfLine(pane, 1), "Error: \\377");
    EXPECT_EQ(colorOfLine(pane, 1), kColors.error);
    PageCtrlLog log;
    log.copyToAllLog(texts, kColors);
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.pendingAllLogLines() == 0; }, 5000));
    EXPECT_EQ(log.allLog()->lines(), pane.lines());
}

// A client's bytes come back out exactly as written, whatever they hold; text without
// stand-ins for bytes comes out as its UTF-8, also after what a buffer already holds.
TEST(ClientText, BytesRoundTripAndPlainTextIsItsUtf8)
{
    const QByteArray bytes[] = {
        "plain",
        "",
        "caf\xE9",
        "\xC3\xA9t\xC3\xA9",
        "\xFF\xFE",
        "\x80 lone continuation",
        "\xE2\x82",
        "cut \xF0\x9F\x98",
        "\xF0\x9F\x98\x80 emoji",
        "\xED\xA0\x80 surrogate as bytes",
        "\xC0\xAF overlong",
        "mix \xE9\xC3\xA9\xFF end\r",
    };
    for (const QByteArray &raw : bytes) {
        EXPECT_EQ(encodeClientText(decodeClientBytes(raw)), raw) << raw.toHex().constData();
        QByteArray appended("head|");
        appendClientText(appended, decodeClientBytes(raw));
        EXPECT_EQ(appended, "head|" + raw) << raw.toHex().constData();
    }
    const QString texts[] = {
        QString::fromUtf8("caf\xC3\xA9 \xE4\xB8\xAD\xF0\x9F\x98\x80"),
        QString(QChar(0xD800)) + QStringLiteral("lone high"),
        QStringLiteral("lone low ") + QChar(0xDC12),
        QString(QChar(0xD83D)) + QChar(0xDC80) + QStringLiteral(" a pair whose low half looks like a byte"),
    };
    for (const QString &text : texts)
        EXPECT_EQ(encodeClientText(text), text.toUtf8()) << text.toStdString();
}

// Lines spread over many text blocks, one longer than a block, read back whole and in
// their colours, with the client's bytes kept where they differ from the shown text.
TEST(LogPane, ManyAndLongLinesReadBackWhole)
{
    LogPane pane;
    QList<ClientLine> lines;
    for (int i = 0; i < 30000; ++i)
        lines.append({QStringLiteral("Info: line %1").arg(i), i % 7 ? MessageClass::Info : MessageClass::Error});
    const QString longLine = QString(100000, QLatin1Char('x'));
    lines.insert(12345, {longLine, MessageClass::Warning});
    lines.insert(20000, {decodeClientBytes("byte \xE9 here"), MessageClass::Info});
    lines.append({QString(), MessageClass::Info});
    pane.appendLines(lines.mid(0, 15000), kColors);
    pane.appendLines(lines.mid(15000), kColors);

    ASSERT_EQ(pane.lineCount(), lines.size());
    const QStringList shown = pane.lines();
    const QStringList stored = pane.storedLines();
    for (int i = 0; i < lines.size(); ++i) {
        const QString expected = i == 20000 ? QStringLiteral("byte \\351 here") : lines[i].text;
        ASSERT_EQ(shown[i], expected) << i;
        ASSERT_EQ(textOfLine(pane, i), expected) << i;
        ASSERT_EQ(stored[i], lines[i].text) << i;
        ASSERT_EQ(colorOfLine(pane, i),
                  lines[i].messageClass == MessageClass::Error         ? kColors.error
                      : lines[i].messageClass == MessageClass::Warning ? kColors.warning
                                                                       : kColors.info)
            << i;
    }
    EXPECT_TRUE(pane.findFrom("line 29999", {}));
    EXPECT_EQ(pane.selectedText(), "line 29999");
    pane.clear();
    EXPECT_EQ(pane.lineCount(), 0);
    EXPECT_TRUE(pane.lines().isEmpty());
}

// When the run has let go of its lines, the copy into "All Log" frees each slice behind it
// and still shows every line, in order, in its class's colour.
TEST(PageCtrlLog, CopyOfLinesNobodyElseHoldsArrivesWhole)
{
    PageCtrlLog log;
    {
        QStringList lines;
        for (int i = 0; i < 3000; ++i)
            lines << (i % 2 ? QString("Info: %1").arg(i) : QString("Error: %1").arg(i));
        log.copyToAllLog(lines, kColors);
    } // the caller's list is gone; the pending copy holds the only one
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.pendingAllLogLines() == 0; }, 5000));
    const LogPane &pane = *log.allLog();
    ASSERT_EQ(pane.lineCount(), 3000);
    for (int i = 0; i < 3000; ++i) {
        ASSERT_EQ(textOfLine(pane, i), (i % 2 ? QString("Info: %1") : QString("Error: %1")).arg(i)) << i;
        ASSERT_EQ(colorOfLine(pane, i), i % 2 ? kColors.info : kColors.error) << i;
    }
}
