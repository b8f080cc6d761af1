// Close steps, Exit, the log pane's commands and the starters of other programs.
#include "ShellFixture.h"

#include "execution/LogPane.h"
#include "execution/PageCtrlLog.h"
#include "execution/RunClient.h"
#include "execution/RunFlags.h"

#include "execution/RunControl.h"
#include "execution/Settings.h"
#include "platform/Language.h"
#include "platform/SettingsKey.h"
#include "scheduling/Scheduler.h"
#include "shell/FindDialog.h"
#include "shell/GlossorLauncher.h"
#include "shell/TaskListView.h"
#include "shell/TfrmDataMod.h"
#include "support/SpinWait.h"
#include "support/StandInClient.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>

#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

using namespace shelltest;

namespace {

void writeWhenClose(int value)
{
    execution::Settings settings;
    settings.WhenClose = value;
    ASSERT_TRUE(settings.write());
}

class CommandsTest : public ::testing::Test, public ShellFixture {
protected:
    QString panel3() { return child<QLabel>(&window(), "StatusPanel3")->text(); }
    execution::PageCtrlLog *pages() { return child<execution::PageCtrlLog>(&window(), "PageCtrlLog"); }
    execution::LogPane *pane() { return pages()->allLog(); }
    void fillLog(const QString &text)
    {
        for (const QString &line : text.split('\n'))
            pane()->appendLine(line, Qt::black);
    }
    void click(const char *name) { QTest::mouseClick(child<QToolButton>(&window(), name), Qt::LeftButton); }
};

TEST_F(CommandsTest, WhenCloseDecidesWhatClosingDoes)
{
    struct Case {
        int whenClose; // -1: no settings key at all
        platform::Answer answer;
        bool ends;
        bool asks;
    };
    const Case cases[] = {
        {-1, platform::Answer::Ok, true, false},    {0, platform::Answer::Ok, true, false},
        {1, platform::Answer::Cancel, false, true}, {1, platform::Answer::Ok, true, true},
        {2, platform::Answer::Ok, false, false},    {7, platform::Answer::Ok, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.whenClose);
        QFile::remove(platform::SettingsKey::filePathOf(execution::Settings::keyName()));
        if (c.whenClose >= 0)
            writeWhenClose(c.whenClose);
        makeWindow();
        dialogs.clear();
        terminations = 0;
        dialogs.queueAnswer(c.answer);
        QCloseEvent close;
        QApplication::sendEvent(&window(), &close);
        EXPECT_EQ(close.isAccepted(), c.ends);
        EXPECT_EQ(terminations, c.ends ? 1 : 0);
        EXPECT_EQ(panel3() == "Shutting Down...", c.ends);
        EXPECT_EQ(dialogs.messages().size(), c.asks ? 1 : 0);
        if (c.asks) {
            EXPECT_EQ(dialogs.lastMessageText(),
                      "If you exit it will not run any scheduled.\nAre you sure you want to exit?");
            EXPECT_EQ(dialogs.messages().last().buttons, platform::MessageButtons::OkCancel);
        }
        if (c.whenClose >= 2) {
            EXPECT_TRUE(window().isMinimized() || window().windowState().testFlag(Qt::WindowMinimized)
                        || !window().isVisible());
        }
    }
}

TEST_F(CommandsTest, ExitEndsAtOnceWithoutCloseSteps)
{
    writeWhenClose(1);
    makeWindow();
    child<QAction>(&window(), "mnuExit")->trigger();
    EXPECT_EQ(terminations, 1);
    child<QAction>(&window(), "pmuExit")->trigger();
    EXPECT_EQ(terminations, 2);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_NE(panel3(), "Shutting Down...");
}

// Closing with runs silent, suspended and waiting for a hand-over, and a click on Run
// already queued: no event is run while closing, every run ends and is deleted, and
// afterwards Run and the tray do nothing.
TEST_F(CommandsTest, ClosingEndsEveryRunAndLeavesRunAndTheTrayIdle)
{
    ASSERT_TRUE(
        dir.writeFile("radclient", testsupport::standInClientHead() + "exec sleep 60\n")); // silent, and does not exit
    QFile::setPermissions(dir.filePath("radclient"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const char *id : {"1", "2", "3"})
        addTask(seedConnection(), id, QString("task ") + id, "AllTask", "127.0.0.1", 0);
    makeWindow();
    shell::TfrmDataMod dataModule;
    window().attachDataModule(dataModule);
    execution::RunControl &runs = *window().runControl();
    auto *list = child<shell::TaskListView>(&window(), "lvwTask");
    auto *run = child<QToolButton>(&window(), "spbtnRun");

    list->selectRow(0);
    QTest::mouseClick(run, Qt::LeftButton);
    list->selectRow(1);
    QTest::mouseClick(run, Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>(&window(), "spbtnSuspend"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs.firstRunOf(list->selectedTaskId())->isHeld(); }));
    list->selectRow(2);
    QTest::mouseClick(run, Qt::LeftButton);
    const execution::TMyThread *waiting = runs.firstRunOf(list->selectedTaskId());
    ASSERT_TRUE(testsupport::spinUntil([&] { return waiting->hasWaitingStep(); }));
    ASSERT_EQ(runs.liveRunCount(), 3);

    // A click on Run that is queued when the close comes.
    const QPoint middle = run->rect().center();
    QCoreApplication::postEvent(run,
                                new QMouseEvent(QEvent::MouseButtonPress, middle, run->mapToGlobal(middle),
                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(run,
                                new QMouseEvent(QEvent::MouseButtonRelease, middle, run->mapToGlobal(middle),
                                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    EXPECT_TRUE(window().close());
    EXPECT_EQ(terminations, 1);
    EXPECT_EQ(runs.liveRunCount(), 0);
    EXPECT_EQ(child<QLabel>(&window(), "StatusPanel2")->text(), " 0 Running Task(s)");

    QCoreApplication::processEvents(); // the queued click arrives now, and does nothing
    QTest::mouseClick(run, Qt::LeftButton);
    child<QAction>(&window(), "mnuRun")->trigger();
    EXPECT_EQ(runs.liveRunCount(), 0);
    EXPECT_EQ(runs.runningCount(), 0);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_FALSE(window().trayIcon()->isVisible());
    Q_EMIT window().trayIcon()->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(window().scheduler()->isShutDown());
    destroyWindow(); // before the data module
}

// A run still going at close, silent or suspended, keeps what it received: its page goes
// to the log file with the finish banner, as its normal end would write it.
TEST_F(CommandsTest, ClosingWritesEveryUnfinishedRunsPageToTheLogFile)
{
    ASSERT_TRUE(dir.writeFile("radclient",
                              testsupport::standInClientHead()
                                  + "echo \"Info: sent $2\"\necho \"Error: no reply\"\nexec sleep 60\n"));
    QFile::setPermissions(dir.filePath("radclient"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    addTask(seedConnection(), "1", "silent", "AllTask", "127.0.0.1", 0);
    addTask(seedConnection(), "2", "held", "AllTask", "127.0.0.1", 0);
    makeWindow();
    shell::TfrmDataMod dataModule;
    window().attachDataModule(dataModule);
    execution::RunControl &runs = *window().runControl();
    auto *list = child<shell::TaskListView>(&window(), "lvwTask");
    const auto pageHolds = [&](const QString &name) {
        for (int i = 0; i < pages()->count(); ++i)
            if (pages()->tabText(i).contains(name))
                if (auto *page = pages()->widget(i)->findChild<execution::LogPane *>())
                    return page->toPlainText().contains("Error: no reply");
        return false;
    };
    for (int row : {0, 1}) {
        list->selectRow(row);
        click("spbtnRun");
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return pageHolds("silent") && pageHolds("held"); }));
    click("spbtnSuspend");
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs.firstRunOf(list->selectedTaskId())->isHeld(); }));

    EXPECT_TRUE(window().close());
    const QString file = QString::fromUtf8(dir.readFile("Log/PellionLog.txt"));
    for (const char *name : {"silent", "held"}) {
        SCOPED_TRACE(name);
        const QString started = QString(" Test started  [%1]").arg(name);
        const qsizetype begin = file.indexOf(started);
        ASSERT_GE(begin, 0);
        const qsizetype end = file.indexOf("\r\n\r\n", begin);
        ASSERT_GT(end, begin);
        const QStringList block = file.mid(begin, end - begin).split("\r\n");
        ASSERT_EQ(block.size(), 4);
        EXPECT_TRUE(block[1].startsWith("Info: sent "));
        EXPECT_EQ(block[2], "Error: no reply");
        EXPECT_TRUE(block[3].contains(QString(" Test finished [%1]").arg(name)));
    }
    destroyWindow(); // before the data module
}

TEST_F(CommandsTest, ClearFindAndSaveActOnlyOnTheAllLogPage)
{
    makeWindow();
    // Empty pane: Save As asks nothing, Find opens nothing.
    click("spbtnSave");
    EXPECT_EQ(dialogs.fileRequestCount(), 0);
    click("spbtnFind");
    EXPECT_EQ(window().findDialog(), nullptr);

    fillLog("Info: one\nError: two");
    execution::LogPane *run = pages()->openRunPage("job");
    ASSERT_FALSE(pages()->isAllLogActive());
    click("spbtnClear");
    EXPECT_FALSE(pane()->isEmpty());
    click("spbtnFind");
    EXPECT_EQ(window().findDialog(), nullptr);
    const QString target = dir.filePath("saved.txt");
    dialogs.queueFileName(target);
    click("spbtnSave");
    EXPECT_EQ(dialogs.fileRequestCount(), 1); // the dialog shows, but nothing is written
    EXPECT_FALSE(QFile::exists(target));
    pages()->closeRunPage(run);

    ASSERT_TRUE(pages()->isAllLogActive());
    dialogs.queueFileName(target);
    child<QAction>(&window(), "pmuSaveAs")->trigger();
    EXPECT_EQ(dir.readFile("saved.txt"), QByteArray("Info: one\nError: two\n"));
    child<QAction>(&window(), "pmuClear")->trigger();
    EXPECT_TRUE(pane()->isEmpty());
}

TEST_F(CommandsTest, SaveAsKeepsTheClientsBytes)
{
    makeWindow();
    ASSERT_TRUE(dir.writeFile("fakeclient", "#!/bin/sh\nprintf 'caf\\351 \\303\\251\\r\\n'\n"));
    QFile::setPermissions(dir.filePath("fakeclient"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QStringList lines;
    execution::RunFlags flags;
    execution::RunClient(
        "fakeclient",
        [&](const QList<execution::ClientLine> &batch) {
            for (const execution::ClientLine &line : batch)
                lines << line.text;
        },
        flags);
    pages()->copyToAllLog(lines, execution::LogColors{Qt::black, Qt::black, Qt::black, Qt::black});
    ASSERT_TRUE(QTest::qWaitFor([&] { return pages()->pendingAllLogLines() == 0; }, 5000));
    EXPECT_EQ(pane()->lineText(0), QString::fromUtf8("caf\\351 \xC3\xA9"));
    dialogs.queueFileName(dir.filePath("saved.txt"));
    click("spbtnSave");
    EXPECT_EQ(dir.readFile("saved.txt"), QByteArray("caf\xE9 \xC3\xA9\n"));
}

TEST_F(CommandsTest, SaveAsReportsAFileItCannotWrite)
{
    makeWindow();
    fillLog("Info: one");
    dialogs.queueFileName(dir.filePath("no/such/dir/log.txt"));
    click("spbtnSave");
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().last().icon, platform::MessageIcon::Error);
    EXPECT_TRUE(dialogs.lastMessageText().contains("log.txt"));
}

TEST_F(CommandsTest, FindSearchesCaseExactlyFromTheEndOfTheSelection)
{
    makeWindow();
    fillLog("Error: first\nerror second\nError: third");
    click("spbtnFind");
    shell::FindDialog *find = window().findDialog();
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible());
    using Position = execution::LogPane::Position;
    auto next = [&](const QString &text) {
        find->setSearchText(text);
        QTest::mouseClick(child<QPushButton>(find, "btnFindNext"), Qt::LeftButton);
        return pane()->selectionStart();
    };
    EXPECT_EQ(next("Error:"), (Position{0, 0}));
    EXPECT_EQ(pane()->selectedText(), "Error:");
    EXPECT_EQ(next("Error:"), (Position{2, 0}));
    EXPECT_EQ(next("Error:"), (Position{2, 0})); // no further match: the selection stays
    EXPECT_EQ(next("error"), (Position{2, 0}));  // "error" lies before it
    EXPECT_EQ(pane()->selectedText(), "Error:");
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

// Records the addresses handed to the desktop's "open".
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls << url; }
};

TEST_F(CommandsTest, HomepageAndDictionaryManagerStartTheirTargets)
{
    makeWindow();
    UrlRecorder recorder;
    for (const char *scheme : {"file", "https", "mailto"})
        QDesktopServices::setUrlHandler(scheme, &recorder, "open");
    child<QAction>(&window(), "mnuHomepage")->trigger();
    for (const char *scheme : {"file", "https", "mailto"})
        QDesktopServices::unsetUrlHandler(scheme);
    ASSERT_EQ(recorder.urls.size(), 1);
    EXPECT_EQ(recorder.urls[0].scheme(), "https");

    // The dictionary manager is started from the program directory, without arguments.
    ASSERT_TRUE(dir.writeFile("Glossor", "#!/bin/sh\npwd > started.txt\necho \"$#\" >> started.txt\n"));
    QFile::setPermissions(dir.filePath("Glossor"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    child<QAction>(&window(), "mnuDictMan")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return dir.readFile("started.txt").count('\n') >= 2; }, 5000));
    EXPECT_EQ(dir.readFile("started.txt"), (QDir(dir.path()).canonicalPath() + "\n0\n").toUtf8());
    // Closing the window while Glossor runs lets it go on by itself; this one has ended.
    auto *glossor = window().findChild<shell::GlossorLauncher *>();
    ASSERT_NE(glossor, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !glossor->isRunning(); }, 5000));
}

// A desktop opener ("xdg-open") of the test's own, first on the search path while it lives.
class FakeDesktopOpener {
public:
    explicit FakeDesktopOpener(int exitStatus) : m_path(qgetenv("PATH"))
    {
        const QByteArray script = "#!/bin/sh\nprintf '%s' \"$1\" > " + m_bin.filePath("opened.txt").toUtf8() + "\nexit "
            + QByteArray::number(exitStatus) + "\n";
        QFile file(m_bin.filePath("xdg-open"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(script) == script.size());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", m_bin.path().toUtf8() + ":" + m_path);
    }
    ~FakeDesktopOpener() { qputenv("PATH", m_path); }
    QString openedFile() const { return m_bin.filePath("opened.txt"); }
    QString opened() const
    {
        QFile file(openedFile());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private:
    QTemporaryDir m_bin;
    QByteArray m_path;
};

TEST_F(CommandsTest, HelpSaysSoWhenTheDesktopCannotOpenIt)
{
    makeWindow();
    const QString help = dir.filePath("Help/index.html");
    {
        FakeDesktopOpener failing(4);
        click("spbtnHelp");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.messages().isEmpty(); }, 10000));
        EXPECT_EQ(failing.opened(), help);
        EXPECT_TRUE(dialogs.lastMessageText().contains(help)) << dialogs.lastMessageText().toStdString();
    }
    const qsizetype shownBefore = dialogs.messages().size();
    FakeDesktopOpener working(0);
    child<QAction>(&window(), "mnuContent")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window().findChildren<QProcess *>().isEmpty(); }, 10000));
    EXPECT_EQ(working.opened(), help);
    EXPECT_EQ(dialogs.messages().size(), shownBefore);
}

// The current language's file names its help page; a page that is missing falls back to the
// English one.
TEST_F(CommandsTest, HelpOpensThePageOfTheCurrentLanguage)
{
    ASSERT_TRUE(platform::Language::setCurrentName(QStringLiteral("简体中文")));
    makeWindow();
    FakeDesktopOpener opener(0);
    const auto helpOpens = [&] {
        QFile::remove(opener.openedFile());
        child<QAction>(&window(), "mnuContent")->trigger();
        EXPECT_TRUE(QTest::qWaitFor([&] { return window().findChildren<QProcess *>().isEmpty(); }, 10000));
        return opener.opened();
    };
    EXPECT_EQ(helpOpens(), dir.filePath("Help/zh/index.html"));
    ASSERT_TRUE(QFile::remove(dir.filePath("Help/zh/index.html")));
    EXPECT_EQ(helpOpens(), dir.filePath("Help/index.html"));
    ASSERT_TRUE(platform::Language::setCurrentName(QStringLiteral("English")));
    EXPECT_EQ(helpOpens(), dir.filePath("Help/index.html"));
}

TEST_F(CommandsTest, SaveDialogShowsItsFilterTextsAndAllFilesMatchesNamesWithoutADot)
{
    makeWindow();
    fillLog("Info: one");
    QStringList shown;
    QStringList allFilesPatterns;
    platform::DialogService::install(nullptr); // the real dialog
    whenModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        auto *types = dialog->findChild<QComboBox *>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        for (int i = 0; i < types->count(); ++i)
            shown << types->itemText(i);
        QTest::keyClick(types, Qt::Key_End); // as the user picks the last filter
        allFilesPatterns = dialog->findChild<QFileSystemModel *>()->nameFilters();
        dialog->reject();
    });
    click("spbtnSave");
    platform::DialogService::install(&dialogs);
    EXPECT_EQ(shown, QStringList({"Text files(*.txt)", "All files(*.*)"}));
    EXPECT_EQ(allFilesPatterns, QStringList{"*"});
}

TEST_F(CommandsTest, TrayIconFollowsHideTrayAndItsMenuShowsAndHides)
{
    makeWindow();
    ASSERT_NE(window().trayIcon(), nullptr);
    EXPECT_EQ(window().trayIcon()->contextMenu()->objectName(), "pmuTary");
    child<QAction>(&window(), "pmuHideForm")->trigger();
    EXPECT_FALSE(window().isVisible());
    child<QAction>(&window(), "pmuShowForm")->trigger();
    EXPECT_TRUE(window().isVisible());
    window().showMinimized();
    window().hide(); // as minimising with the tray icon leaves it
    Q_EMIT window().trayIcon()->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(window().windowState().testFlag(Qt::WindowMinimized));

    execution::Settings settings;
    settings.HideTray = true;
    settings.Minimized = true;
    ASSERT_TRUE(settings.write());
    makeWindow();
    EXPECT_EQ(window().trayIcon(), nullptr);
    EXPECT_TRUE(window().windowState().testFlag(Qt::WindowMinimized));
}

} // namespace

#include "CommandsTest.moc"
