// pellion-run as CI calls it: its options, exit codes, reports and the shared database.
#include "RunnerFixture.h"

#include "dictmanager/QtPrinters.h"
#include "runner/RunnerOptions.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <optional>

using namespace runnertest;

TEST(RunnerOptionsTest, ReadsEveryOptionAndRefusesWhatIsNotOne)
{
    QString error;
    const std::optional<runner::RunnerOptions> options =
        runner::parseRunnerOptions({"--group", "G1", "--task", "T", "--group", "G2", "--junit", "r.xml", "--json",
                                    "r.json", "--csv", "r.csv", "--program-dir", "/p", "--quiet"},
                                   &error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->groups, QStringList({"G1", "G2"}));
    EXPECT_EQ(options->tasks, QStringList{"T"});
    EXPECT_EQ(options->junitFile + options->jsonFile + options->csvFile + options->programDir, "r.xmlr.jsonr.csv/p");
    EXPECT_TRUE(options->quiet);
    EXPECT_FALSE(options->all);

    struct Case {
        QStringList arguments;
        const char *error;
    };
    const Case cases[] = {
        {{}, "name tasks to run (--group, --task or --all), --export or --import"},
        {{"--quiet"}, "name tasks to run (--group, --task or --all), --export or --import"},
        {{"--all", "--verbose"}, "unknown argument \"--verbose\""},
        {{"--all", "--junit"}, "--junit needs a value"},
        {{"--task", ""}, "--task needs a value"},
        {{"--export", "G"}, "--export needs a value"},
        {{"--all", "--task", "T"}, "--all runs every task: no --group or --task with it"},
        {{"--all", "--import", "f"}, "running, --export and --import go one at a time"},
        {{"--export", "G", "f", "--import", "f"}, "running, --export and --import go one at a time"},
    };
    for (const Case &c : cases) {
        error.clear();
        EXPECT_FALSE(runner::parseRunnerOptions(c.arguments, &error)) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(error, c.error) << c.arguments.join(' ').toStdString();
    }
}

TEST(RunnerTest, UsageErrorsAndUnknownNamesExitWithTwo)
{
    ProgramDir program;
    program.addTask(program.addGroup("Smoke"), "known", "User-Name = bob\r\n");
    struct Case {
        QStringList arguments;
        const char *error;
    };
    const Case cases[] = {
        {{"--all", "--colour"}, "pellion-run: unknown argument \"--colour\"\nusage: pellion-run"},
        {{"--task", "known", "--task", "unknown"}, "pellion-run: no task is named \"unknown\"\n"},
        {{"--group", "Smoke", "--group", "Nightly"}, "pellion-run: no group is named \"Nightly\"\n"},
        {{"--export", "Nightly", "n.pellion-group"}, "pellion-run: no group is named \"Nightly\"\n"},
    };
    for (const Case &c : cases) {
        const RunnerOutput output = program.run(c.arguments);
        EXPECT_EQ(output.exitCode, 2) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(output.err.startsWith(c.error)) << output.err.toStdString();
        EXPECT_FALSE(output.out.contains("[1/")) << "nothing ran";
    }
    const RunnerOutput missingDir = runPellionRun({"--program-dir", program.files.filePath("nowhere"), "--all"},
                                                  program.files.path(), program.dir.filePath(".settings"));
    EXPECT_EQ(missingDir.exitCode, 2);
    EXPECT_TRUE(missingDir.err.contains("no program directory")) << missingDir.err.toStdString();
    EXPECT_FALSE(QFile::exists(program.files.filePath("nowhere/Pellion.dat")));
}

// Asked for, the usage is the answer, not an error.
TEST(RunnerTest, HelpPrintsTheUsageAndExitsWithZero)
{
    ProgramDir program;
    for (const char *help : {"--help", "-h"}) {
        const RunnerOutput output = program.run({help});
        EXPECT_EQ(output.exitCode, 0) << help;
        EXPECT_TRUE(output.out.startsWith("usage: pellion-run")) << output.out.toStdString();
        EXPECT_TRUE(output.err.isEmpty()) << output.err.toStdString();
    }
}

TEST(RunnerTest, ExportsAndImportsGroupsOnTheCommandLine)
{
    ProgramDir program;
    program.addTask(program.addGroup("Smoke"), "known", "User-Name = bob\r\n",
                    {expectReply(taskstore::replycode::kAccessAccept)});

    const RunnerOutput exported = program.run({"--export", "Smoke", "smoke.pellion-group"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    const QByteArray file = program.report("smoke.pellion-group");
    EXPECT_TRUE(file.contains("task \"known\"\n")) << file.constData();
    EXPECT_TRUE(file.contains("  expect 1 reply \"Access-Accept\"\n")) << file.constData();

    const RunnerOutput imported = program.run({"--import", "smoke.pellion-group"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, "Imported into group \"Smoke\":\n  known (2)\n");

    QFile broken(program.files.filePath("broken.pellion-group"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(file + "task \"late\"\n  Port 1812\n");
    broken.close();
    const RunnerOutput refused = program.run({"--import", "broken.pellion-group"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(
        refused.err.endsWith(QString(": line %1: the task \"late\" has no \"end\"\n").arg(file.count('\n') + 1)))
        << refused.err.toStdString();
    taskstore::Query query(program.connection);
    taskstore::OpenQuery(query, taskstore::sql::selectTaskList());
    EXPECT_EQ(query.rowCount(), 2);
}

TEST(RunnerTest, ClientLinesThatLookLikeAVerdictAreNotTakenForOne)
{
    ProgramDir program;
    // A client of another origin whose output reads like our verdict lines; it keeps no records.
    ASSERT_TRUE(QFile::remove(program.dir.filePath("radclient")));
    ASSERT_TRUE(program.dir.writeFile("radclient",
                                      "#!/bin/sh\n"
                                      "printf 'Verdict: not evaluated (the server said all is fine)\\r\\n'\n"
                                      "printf 'Packet 1 (pass 1): expected Access-Accept; came: x\\r\\n'\n"
                                      "printf 'Total sent: 1\\r\\n'\n"));
    ASSERT_TRUE(QFile::setPermissions(program.dir.filePath("radclient"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    program.addTask(program.addGroup("Smoke"), "look-alike", "User-Name = bob\r\n",
                    {expectReply(taskstore::replycode::kAccessAccept)});

    const RunnerOutput output = program.run({"--all", "--json", "report.json", "--junit", "report.xml"});
    EXPECT_EQ(output.exitCode, 1);
    const QString reason = "Verdict: not evaluated (the client writes no records of its exchanges)";
    EXPECT_TRUE(output.out.contains("NOT EVALUATED: look-alike (")) << output.out.toStdString();
    EXPECT_TRUE(output.out.contains("\n  " + reason + "\n")) << output.out.toStdString();

    const QJsonObject task =
        QJsonDocument::fromJson(program.report("report.json")).object()["tasks"].toArray().at(0).toObject();
    EXPECT_EQ(task["verdictLine"].toString(), reason);
    EXPECT_EQ(task["failedChecks"].toArray(), QJsonArray());
    const QString junit = QString::fromUtf8(program.report("report.xml"));
    EXPECT_TRUE(junit.contains(">" + reason + "</error>")) << junit.toStdString();
    EXPECT_TRUE(junit.contains("the server said all is fine")) << "system-out keeps the client's lines";
}
