// The reports of pellion-run from results made here: what CI servers and scripts read.
#include "RunnerProcess.h"

#include "dictmanager/QtPrinters.h"
#include "platform/WholeFile.h"
#include "runner/RunReports.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace runnertest;
using runner::TaskResult;
using runner::Verdict;

namespace {
TaskResult result(const QString &group, const QString &name, Verdict verdict, const QStringList &checks = {},
                  const QStringList &lines = {})
{
    TaskResult r;
    r.task = {"1", name, group};
    r.start = QDateTime(QDate(2026, 12, 10), QTime(9, 30), Qt::UTC);
    r.end = r.start.addMSecs(1250);
    r.verdict = verdict;
    r.failedChecks = checks;
    r.lines = lines;
    r.verdictLine = verdict == Verdict::NotEvaluated ? "Verdict: not evaluated (the run was stopped)" : "";
    return r;
}

// Every testcase's name and what it holds, read back as a CI server reads it.
QStringList readCases(const QByteArray &xml)
{
    QStringList cases;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement())
            continue;
        const QString name = reader.name().toString();
        if (name == "testcase")
            cases << reader.attributes().value("classname").toString() + "/"
                    + reader.attributes().value("name").toString();
        else if (name == "failure" || name == "error" || name == "system-out")
            cases.last() += " " + name + "=" + reader.readElementText();
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return cases;
}

const QList<TaskResult> kResults = {
    result("Auth", "accepted", Verdict::Pass, {}, {"Info: Received \x01odd\x1B[0m reply", "Total sent: 1"}),
    result("Auth", "with, \"quotes\"", Verdict::Fail,
           {"Packet 1 (pass 1): expected Access-Reject; came: Access-Accept",
            "Packet 1 (pass 1): expected Class present; came: no such attribute"}),
    result("", "outside any group", Verdict::NotEvaluated),
};
} // namespace

TEST(RunReportsTest, JUnitHoldsEveryTaskInItsGroupAndValidates)
{
    const QByteArray xml = runner::junitReport(kResults);
    QTemporaryDir dir;
    ASSERT_TRUE(platform::writeWholeFile(dir.filePath("report.xml"), xml));
    const RunnerOutput lint =
        runProgram("xmllint", {"--noout", "--schema", PELLION_JUNIT_SCHEMA, "report.xml"}, dir.path());
    EXPECT_EQ(lint.exitCode, 0) << lint.err.toStdString() << xml.constData();

    EXPECT_EQ(
        readCases(xml),
        QStringList({"(no group)/outside any group error=Verdict: not evaluated (the run was stopped) system-out=",
                     "Auth/accepted system-out=Info: Received \\x01odd\\x1b[0m reply\nTotal sent: 1",
                     "Auth/with, \"quotes\" failure=Packet 1 (pass 1): expected Access-Reject; came: "
                     "Access-Accept\nPacket 1 (pass 1): expected Class present; came: no such attribute "
                     "system-out="}));
    EXPECT_TRUE(
        xml.contains("<testsuites name=\"pellion-run\" tests=\"3\" failures=\"1\" errors=\"1\" time=\"3.750\">"))
        << xml.constData();
    EXPECT_TRUE(
        xml.contains("<testsuite name=\"Auth\" id=\"1\" tests=\"2\" failures=\"1\" errors=\"0\" time=\"2.500\""
                     " skipped=\"0\" timestamp=\"2026-12-10T09:30:00\">"))
        << xml.constData();
}

TEST(RunReportsTest, JsonAndCsvSummariesReadBack)
{
    const QJsonObject json = QJsonDocument::fromJson(runner::jsonReport(kResults)).object();
    EXPECT_EQ(json["passed"].toInt(), 1);
    EXPECT_EQ(json["failed"].toInt(), 1);
    EXPECT_EQ(json["notEvaluated"].toInt(), 1);
    const QJsonObject failed = json["tasks"].toArray()[1].toObject();
    EXPECT_EQ(failed["task"].toString(), "with, \"quotes\"");
    EXPECT_EQ(failed["durationMs"].toInt(), 1250);
    EXPECT_EQ(failed["failedChecks"].toArray().size(), 2);
    EXPECT_EQ(json["tasks"].toArray()[2].toObject()["verdictLine"].toString(),
              "Verdict: not evaluated (the run was stopped)");

    EXPECT_EQ(runner::csvReport(kResults),
              "group,task,verdict,start,end,duration_ms,failed_checks\r\n"
              "Auth,accepted,pass,2026-12-10T09:30:00.000Z,2026-12-10T09:30:01.250Z,1250,\r\n"
              "Auth,\"with, \"\"quotes\"\"\",fail,2026-12-10T09:30:00.000Z,2026-12-10T09:30:01.250Z,1250,"
              "\"Packet 1 (pass 1): expected Access-Reject; came: Access-Accept\n"
              "Packet 1 (pass 1): expected Class present; came: no such attribute\"\r\n"
              ",outside any group,not evaluated,2026-12-10T09:30:00.000Z,2026-12-10T09:30:01.250Z,1250,\r\n");
}
