#include "history/TfrmRunHistory.h"
#include "RunSamples.h"
#include "history/RunHistoryCsv.h"
#include "history/RunHistoryModel.h"
#include "platform/Language.h"
#include "platform/ScriptedDialogService.h"
#include "support/HeadingFit.h"
#include "support/TempProgramDir.h"
#include "taskstore/Connection.h"
#include "taskstore/Transaction.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBarSet>
#include <QChartView>
#include <QGraphicsTextItem>
#include <QLineSeries>
#include <QMap>
#include <QStackedBarSeries>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

using history::RunHistoryModel;
using history::TfrmRunHistory;
using historytest::kMorning;
using historytest::run;

namespace {

class RunHistoryWindow : public ::testing::Test {
protected:
    testsupport::TempProgramDir dir;
    taskstore::Connection db{taskstore::Connection::defaultPath()};
    platform::ScriptedDialogService dialogs;

    // count runs of task 42, one a minute, every tenth failing; one run of task 7.
    QList<taskstore::RunRecord> storeRuns(int count)
    {
        QList<taskstore::RunRecord> runs;
        taskstore::RunHistoryStore store(db);
        taskstore::Transaction transaction(db);
        for (int i = 0; i < count; ++i) {
            taskstore::RunRecord record = run(kMorning.addSecs(60LL * i), 10 - i % 3, i % 3, 1.0 + i % 7,
                                              i % 10 == 9 ? taskstore::Verdict::Fail : taskstore::Verdict::Pass);
            EXPECT_TRUE(store.add(record).ok());
            runs << record;
        }
        taskstore::RunRecord other = run(kMorning, 1, 0, 1.0);
        other.taskId = "7";
        EXPECT_TRUE(store.add(other).ok());
        transaction.commit();
        return runs;
    }

    std::unique_ptr<TfrmRunHistory> openWindow()
    {
        auto window = std::make_unique<TfrmRunHistory>(db, "42", "Login check");
        EXPECT_TRUE(window->load());
        window->show();
        return window;
    }

    static QTableView *table(QWidget *window) { return window->findChild<QTableView *>("tblRuns"); }
    static QString cell(QWidget *window, int row, int column)
    {
        return table(window)->model()->index(row, column).data().toString();
    }
};

// Many runs: every one is in the table in order, the chart has its lines and a few bars,
// and the export holds them all.
TEST_F(RunHistoryWindow, TenThousandRunsAreAllShownChartedAndExported)
{
    const QList<taskstore::RunRecord> runs = storeRuns(10'000);
    auto window = openWindow();
    EXPECT_EQ(window->windowTitle(), "Run History - Login check");
    QTableView *view = table(window.get());
    ASSERT_EQ(view->model()->rowCount(), 10'000);
    EXPECT_EQ(cell(window.get(), 9'999, RunHistoryModel::Verdict), "fail");
    EXPECT_EQ(cell(window.get(), 9'998, RunHistoryModel::Verdict), "pass");
    EXPECT_FALSE(
        view->model()->index(9'999, RunHistoryModel::Verdict).data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(cell(window.get(), 1, RunHistoryModel::Approved), "9"); // approved of the second run

    auto *chart = window->findChild<QChartView *>("chtRuns");
    ASSERT_TRUE(chart);
    int lines = 0;
    for (QAbstractSeries *series : chart->chart()->series()) {
        if (auto *line = qobject_cast<QLineSeries *>(series)) {
            ++lines;
            // Thinned to what a chart can show, each stretch's highest point kept.
            EXPECT_LE(line->count(), 1200) << line->name().toStdString();
            EXPECT_GE(line->count(), 600) << line->name().toStdString();
            qreal highest = 0;
            for (const QPointF &point : line->points())
                highest = std::max(highest, point.y());
            const QMap<QString, qreal> peaks{{"p50", 7}, {"p95", 14}, {"p99", 21}, {"max", 28}};
            EXPECT_EQ(highest, peaks.value(line->name())) << line->name().toStdString();
        } else if (auto *bars = qobject_cast<QStackedBarSeries *>(series)) {
            ASSERT_EQ(bars->count(), 5);
            EXPECT_LE(bars->barSets().first()->count(), 40);
            qreal approved = 0;
            for (int i = 0; i < bars->barSets().first()->count(); ++i)
                approved += bars->barSets().first()->at(i);
            EXPECT_EQ(approved, 10 * 10'000 - 9'999); // 10, 9, 8 in turn
        }
    }
    EXPECT_EQ(lines, 4);

    const QString path = dir.filePath("export.csv");
    dialogs.queueFileName(path);
    QTest::mouseClick(window->findChild<QAbstractButton *>("btnExportCsv"), Qt::LeftButton);
    EXPECT_EQ(dialogs.fileRequestCount(), 1);
    EXPECT_EQ(dir.readFile("export.csv"), history::RunHistoryCsv::text(runs));
}

TEST_F(RunHistoryWindow, AFailedExportIsShownAndATaskWithoutRunsOpensEmpty)
{
    storeRuns(3);
    {
        auto window = openWindow();
        dialogs.queueFileName(dir.filePath("no-such-folder/export.csv"));
        QTest::mouseClick(window->findChild<QAbstractButton *>("btnExportCsv"), Qt::LeftButton);
        EXPECT_EQ(dialogs.messages().size(), 1);
        EXPECT_FALSE(dialogs.lastMessageText().isEmpty());
    }
    TfrmRunHistory empty(db, "99", "Never run");
    ASSERT_TRUE(empty.load());
    empty.show();
    EXPECT_EQ(table(&empty)->model()->rowCount(), 0);
    EXPECT_FALSE(empty.findChild<QAbstractButton *>("btnExportCsv")->isEnabled());
}

// Every heading shows whole, with and without runs, in both languages.
TEST_F(RunHistoryWindow, HeadingsShowWhole)
{
    storeRuns(2);
    for (const char *language : {"English", "简体中文"})
        for (const char *taskId : {"42", "99"}) {
            ASSERT_TRUE(platform::Language::setCurrentName(QString::fromUtf8(language)));
            TfrmRunHistory window(db, taskId, "Login check");
            ASSERT_TRUE(window.load());
            window.show();
            const QStringList cut = testsupport::cutHeadings(*table(&window)->horizontalHeader());
            EXPECT_TRUE(cut.isEmpty()) << language << " task " << taskId << ": " << cut.join("; ").toStdString();
        }
}

// The chart's axis titles are drawn whole, not cut to an ellipsis, in both languages; the
// count axis with one request has labels narrower than an ellipsis.
TEST_F(RunHistoryWindow, ChartAxisTitlesShowWhole)
{
    ASSERT_TRUE(taskstore::RunHistoryStore(db).add(run(kMorning, 1, 0, 1.5)).ok());
    const struct {
        const char *language, *runs, *milliseconds;
    } cases[] = {
        {"English", "requests", "response time (ms)"},
        {"简体中文", "请求数", "响应时间（毫秒）"},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(platform::Language::setCurrentName(QString::fromUtf8(c.language)));
        auto window = openWindow();
        auto *view = window->findChild<QChartView *>("chtRuns");
        ASSERT_TRUE(view);
        QStringList drawn;
        // The chart sets its titles' texts when it lays itself out, after the events of its showing.
        EXPECT_TRUE(QTest::qWaitFor([&] {
            drawn.clear();
            for (const QGraphicsItem *item : view->scene()->items())
                if (const auto *text = dynamic_cast<const QGraphicsTextItem *>(item);
                    text && text->isVisible() && !text->toPlainText().isEmpty())
                    drawn << text->toPlainText();
            return drawn.size() >= 2;
        }));
        EXPECT_TRUE(drawn.contains(QString::fromUtf8(c.runs))) << c.language << ": " << drawn.join(" | ").toStdString();
        EXPECT_TRUE(drawn.contains(QString::fromUtf8(c.milliseconds)))
            << c.language << ": " << drawn.join(" | ").toStdString();
        // The count labels read as numbers, whatever widens them.
        for (const char *count : {"0", "1"})
            EXPECT_TRUE(std::any_of(drawn.cbegin(), drawn.cend(),
                                    [&](const QString &text) { return text.trimmed() == QLatin1String(count); }))
                << c.language << ": " << drawn.join(" | ").toStdString();
    }
}

TEST_F(RunHistoryWindow, ShowsItsTextsInTheChosenLanguage)
{
    storeRuns(2);
    ASSERT_TRUE(platform::Language::setCurrentName(QString::fromUtf8("简体中文")));
    auto window = openWindow();
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("运行历史 - Login check"));
    EXPECT_EQ(table(window.get())->model()->headerData(RunHistoryModel::Verdict, Qt::Horizontal).toString(),
              QString::fromUtf8("判定"));
    EXPECT_EQ(cell(window.get(), 0, RunHistoryModel::Verdict), QString::fromUtf8("通过"));
    EXPECT_EQ(cell(window.get(), 1, RunHistoryModel::Start).toStdString(), "2026/3/10 09:01:00");
}

} // namespace
