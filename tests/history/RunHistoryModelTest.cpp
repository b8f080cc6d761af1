#include "history/RunHistoryModel.h"
#include "RunSamples.h"
#include "taskstore/DateTimeText.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

using history::RunHistoryModel;
using historytest::kMorning;
using historytest::run;

namespace {

QStringList rowTexts(const RunHistoryModel &model, int row)
{
    QStringList out;
    for (int column = 0; column < model.columnCount(); ++column)
        out << model.index(row, column).data().toString();
    return out;
}

TEST(RunHistoryModel, ARowShowsEveryFigureOfItsRun)
{
    RunHistoryModel model{platform::LanguageFile()};
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    taskstore::RunRecord first = run(kMorning, 7, 2, 3.04);
    first.other = 1;
    first.lost = 4;
    first.failed = 5;
    taskstore::RunRecord second = run(kMorning.addSecs(60), 0, 0, {}, taskstore::Verdict::NotEvaluated);
    second.trigger = taskstore::RunTrigger::Scheduled;
    model.setRuns({first, second});

    ASSERT_EQ(model.rowCount(), 2);
    using taskstore::DateTimeText;
    EXPECT_EQ(rowTexts(model, 0),
              QStringList({DateTimeText::dateTimeText(kMorning), DateTimeText::dateTimeText(kMorning.addSecs(2)),
                           "manual", "9", "7", "2", "1", "4", "5", "3.0", "6.1", "9.1", "12.2", "pass"}));
    const QStringList silent = rowTexts(model, 1);
    EXPECT_EQ(silent.mid(RunHistoryModel::Trigger, 1), QStringList{"scheduled"});
    EXPECT_EQ(silent.mid(RunHistoryModel::P50), QStringList({"", "", "", "", "not evaluated"}));
    EXPECT_EQ(model.index(1, RunHistoryModel::Verdict).data(RunHistoryModel::kVerdictRole).toInt(),
              int(taskstore::Verdict::NotEvaluated));
    EXPECT_FALSE(model.index(1, RunHistoryModel::Start).data(RunHistoryModel::kVerdictRole).isValid());
    EXPECT_EQ(model.headerData(RunHistoryModel::P95, Qt::Horizontal).toString(), "p95 (ms)");
}

TEST(RunHistoryModel, TheLanguageFileNamesHeadingsVerdictsAndTriggers)
{
    const auto file = platform::LanguageFile::parse(
        "[frmRunHistory]\nColumn.Verdict=Urteil\n[Verdict]\nFail=rot\n[frmRunHistory]\n"
        "Trigger.Manual=von Hand\n");
    RunHistoryModel model{file};
    model.setRuns({run(kMorning, 0, 1, 1.0, taskstore::Verdict::Fail)});
    EXPECT_EQ(model.headerData(RunHistoryModel::Verdict, Qt::Horizontal).toString(), "Urteil");
    EXPECT_EQ(model.headerData(RunHistoryModel::Start, Qt::Horizontal).toString(), "Start");
    EXPECT_EQ(model.index(0, RunHistoryModel::Verdict).data().toString(), "rot");
    EXPECT_EQ(model.index(0, RunHistoryModel::Trigger).data().toString(), "von Hand");
}

} // namespace
