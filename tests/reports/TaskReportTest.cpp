#include "reports/TaskReport.h"

#include "platform/CurrentLanguage.h"
#include "radius/Dictionary.h"
#include "support/SampleTask.h"
#include "support/TempProgramDir.h"
#include "taskstore/Connection.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "textcolumns/DisplayColumns.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace taskstore;
using reports::TaskReport;

namespace {

class TaskReportTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(radius::Dictionary::load(PELLION_SOURCE_DIR "/data/dictionary").ok()); }

    testsupport::TempProgramDir dir;
    Connection main{Connection::defaultPath()};
    Query query{main};

    TaskRecord storeTask(const QString &id, const QString &groupId, int runType)
    {
        TaskRecord t = testsupport::sampleTask(id);
        t.GroupID = groupId;
        t.TaskName = "acct";
        t.Port = 1813;
        t.RequestType = kAcct;
        t.RequestTypeCode = 4;
        t.RunType = runType;
        t.StartID = 9;
        t.RetryTimes = 1;
        t.NumPerSec = 5;
        t.NumInParall = 3;
        testsupport::insertTaskRows(query, t);
        return t;
    }
};

} // namespace

TEST_F(TaskReportTest, GroupLineForAllTasksAGroupAndADeletedGroup)
{
    ExecQuery(query, sql::insertGroup("55", "Lab servers"));
    storeTask("1", "AllTask", kRunManually);
    storeTask("2", "55", kRunManually);
    storeTask("3", "66", kRunManually); // its group was deleted

    EXPECT_EQ(TaskReport::build(main, "1").description[2], "  Group Name: All Tasks");
    EXPECT_EQ(TaskReport::build(main, "2").description[2], "  Group Name: Lab servers         ");
    EXPECT_EQ(TaskReport::build(main, "3").description[2], "  Group Name: " + QString(20, ' '));
}

TEST_F(TaskReportTest, ScheduleLinesComeFromTheStoredRows)
{
    storeTask("4", "AllTask", kRunBySchedule);
    ExecQuery(query, sql::insertIntervalSchedule("4", 2, 1, "", "", "0"));
    ExecQuery(query, sql::insertIntervalSchedule("4", 1, 2, "", "", "08:30:00"));
    const QStringList lines = TaskReport::build(main, "4").description;
    const int head = lines.indexOf("    Schedule Type:");
    ASSERT_GE(head, 0);
    EXPECT_EQ(lines.mid(head + 1),
              QStringList({"        Run every day", "        Run every 2 hours; Starting at 08:30:00",
                           "    " + QString(83, '-')}));
}

TEST_F(TaskReportTest, TextPageListsThePacketsOfTheScriptFile)
{
    storeTask("5", "AllTask", kRunManually);
    ASSERT_TRUE(dir.writeFile("script/5.txt",
                              "User-Name = \"bob smith\"\r\nAcct-Status-Type = Start\r\n\r\n"
                              "# a comment\r\nUser-Name = abc\\#123\r\n\r\n"));
    const auto texts = TaskReport::build(main, "5");
    const QString s3 = "  " + QString(85, '-');
    const QString packetRule = QString(74, '-');
    const QStringList golden = {
        s3,
        "  Packet[s] Script File : " + dir.filePath("script/5.txt"),
        s3,
        "             Attribute                        Value",
        "  Packet1   :" + packetRule,
        "             User-Name                        bob smith",
        "             Acct-Status-Type                 Start",
        "  Packet2   :" + packetRule,
        "             User-Name                        abc#123",
    };
    EXPECT_EQ(texts.packetText, golden);
    // The raw page follows with the same two packets, numbered from 0.
    EXPECT_TRUE(texts.rawPackets.contains("Packet0  :"));
    EXPECT_TRUE(texts.rawPackets.contains("Packet1  :"));
    EXPECT_FALSE(texts.rawPackets.contains("Packet2  :"));
}

// In Chinese the text page's own words are Chinese, and each heading stands over its column.
TEST_F(TaskReportTest, TextPageHeadingsSpeakTheLanguageOverTheirColumns)
{
    ASSERT_TRUE(platform::CurrentLanguage::setCurrentName(QStringLiteral("简体中文")));
    storeTask("5", "AllTask", kRunManually);
    ASSERT_TRUE(dir.writeFile("script/5.txt", "User-Name = bob\r\n\r\n"));
    const QStringList lines = TaskReport::build(main, "5").packetText;
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[1], QStringLiteral(u"  数据包脚本文件 ： ") + dir.filePath("script/5.txt"));
    const QString &heading = lines[3];
    const QString &pair = lines[5];
    const auto columnOf = [](const QString &line, const QString &text) {
        return textcolumns::columnsOf(line.left(line.indexOf(text)));
    };
    EXPECT_EQ(columnOf(heading, QStringLiteral(u"属性")), columnOf(pair, "User-Name")) << heading.toStdString();
    EXPECT_EQ(columnOf(heading, QStringLiteral(u"值")), columnOf(pair, "bob")) << heading.toStdString();
}

TEST_F(TaskReportTest, NoTaskAndNoScriptFileGiveADescriptionAndEmptyPages)
{
    const auto none = TaskReport::build(main, "0");
    EXPECT_EQ(none.description[1], "  Task Name : " + QString(20, ' '));
    EXPECT_EQ(none.description[5], "    Port      : 0");
    EXPECT_TRUE(none.packetText.isEmpty());
    EXPECT_TRUE(none.rawPackets.isEmpty());

    // An empty script file opens: the text page has its head, the raw page says why.
    storeTask("6", "AllTask", kRunManually);
    ASSERT_TRUE(dir.writeFile("script/6.txt", ""));
    const auto empty = TaskReport::build(main, "6");
    EXPECT_EQ(empty.packetText.size(), 4);
    EXPECT_EQ(empty.rawPackets.last(), "Error: No list of packets.");
}
