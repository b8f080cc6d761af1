#include "reports/TaskReport.h"

#include "reports/PacketTextPage.h"
#include "reports/RawPacketPage.h"
#include "reports/RawPacketSettings.h"
#include "reports/ReportFormat.h"
#include "reports/TaskDescription.h"

#include "scheduling/ScheduleRules.h"
#include "taskdef/PacketTextReader.h"
#include "taskdef/RequestReader.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"
#include "taskstore/TaskReader.h"

namespace reports {

using namespace taskstore;

namespace {

QString groupName(Query &query, const TaskRecord &task)
{
    if (task.GroupID == TaskDescription::kAllTasksGroupId)
        return {};
    OpenQuery(query, sql::selectGroupName(format::trimmed(task.GroupID)));
    return query.asText(QStringLiteral("Name"));
}

QStringList scheduleDescriptions(Query &query, const TaskRecord &task, const QString &taskId)
{
    QStringList out;
    if (task.RunType == kRunManually)
        return out;
    for (const ScheduleRecord &row : readScheduleRecords(query, taskId))
        out << scheduling::DescribeSchedule(row);
    return out;
}

} // namespace

TaskReportTexts TaskReport::build(Connection &connection, const QString &taskId, const StepRunner &runRawPage)
{
    Query query(connection);
    TaskReportTexts texts;
    const TaskRecord task = readTaskRecord(query, taskId);
    texts.description = TaskDescription::lines(task, groupName(query, task), scheduleDescriptions(query, task, taskId));

    const QString path = scriptFilePath(taskId);
    const auto packets = taskdef::PacketTextReader::readFile(path);
    if (!packets)
        return texts;
    texts.packetText = PacketTextPage::lines(path, *packets);
    const RawPacketSettings settings = RawPacketSettings::fromTask(task);
    texts.rawPackets = runRawPage([&settings, &path] {
        return RawPacketPage::lines(settings, [&path] { return taskdef::RequestReader::read(path).records; });
    });
    return texts;
}

} // namespace reports
