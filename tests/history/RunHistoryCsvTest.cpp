#include "history/RunHistoryCsv.h"
#include "RunSamples.h"
#include "support/TempProgramDir.h"

#include <QFile>

#include <gtest/gtest.h>

using history::RunHistoryCsv;
using historytest::kMorning;
using historytest::run;

namespace {

TEST(RunHistoryCsv, OneLineARunInFixedWordsWhateverTheLanguage)
{
    taskstore::RunRecord scheduled = run(kMorning, 9, 1, 1.25, taskstore::Verdict::Fail);
    scheduled.trigger = taskstore::RunTrigger::Scheduled;
    scheduled.lost = 2;
    taskstore::RunRecord silent = run(kMorning.addSecs(3600), 0, 0, {}, taskstore::Verdict::NotEvaluated);
    silent.trigger = taskstore::RunTrigger::CommandLine;
    silent.failed = 3;
    EXPECT_EQ(RunHistoryCsv::text({scheduled, silent}),
              "start,end,trigger,sent,approved,denied,other,lost,failed,p50_ms,p95_ms,p99_ms,max_ms,verdict\r\n"
              "2026-03-10 09:00:00,2026-03-10 09:00:02,scheduled,10,9,1,0,2,0,1.250,2.500,3.750,5.000,fail\r\n"
              "2026-03-10 10:00:00,2026-03-10 10:00:02,command line,0,0,0,0,0,3,,,,,not evaluated\r\n");
    EXPECT_EQ(RunHistoryCsv::text({}),
              "start,end,trigger,sent,approved,denied,other,lost,failed,p50_ms,p95_ms,p99_ms,max_ms,verdict\r\n");
}

TEST(RunHistoryCsv, WriteReplacesTheFileWholeOrLeavesIt)
{
    testsupport::TempProgramDir dir;
    const QString path = dir.filePath("runs.csv");
    ASSERT_TRUE(dir.writeFile("runs.csv", "an older, longer export that must not show through\r\n"));
    QString error;
    ASSERT_TRUE(RunHistoryCsv::write(path, {run(kMorning, 1, 0, 2.0)}, &error)) << error.toStdString();
    EXPECT_EQ(dir.readFile("runs.csv"), RunHistoryCsv::text({run(kMorning, 1, 0, 2.0)}));

    EXPECT_FALSE(RunHistoryCsv::write(dir.filePath("missing/runs.csv"), {}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/runs.csv")));
}

} // namespace
