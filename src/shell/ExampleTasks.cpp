#include "shell/ExampleTasks.h"

#include "demoserver/FreeRadiusConfig.h"
#include "taskdef/PacketScriptFile.h"
#include "taskdef/TaskEditorRules.h"
#include "taskdef/TaskSaver.h"
#include "taskstore/NewRecordId.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"

#include <QSet>

namespace shell {

namespace {

using Pairs = QList<QPair<QString, QString>>;

Pairs simPairs()
{
    Pairs pairs{{QStringLiteral("User-Name"), QStringLiteral("simuser")}};
    const auto triplets = demoserver::FreeRadiusConfig::standardTriplets();
    for (std::size_t i = 0; i < triplets.size(); ++i) {
        const QString n = QString::number(i + 1);
        pairs += {{QStringLiteral("EAP-Sim-Rand") + n, triplets[i].rand},
                  {QStringLiteral("EAP-Sim-SRES") + n, triplets[i].sres},
                  {QStringLiteral("EAP-Sim-KC") + n, triplets[i].kc}};
    }
    return pairs;
}

QString findGroup(taskstore::Query &query)
{
    taskstore::OpenQuery(query, taskstore::sql::selectAllGroups());
    for (query.first(); !query.atEnd(); query.next())
        if (query.asText(QStringLiteral("Name")) == ExampleTasks::kGroupName)
            return query.asText(QStringLiteral("TaskGroupID"));
    return {};
}

QSet<QString> taskNames(taskstore::Query &query, const QString &groupId)
{
    QSet<QString> names;
    taskstore::OpenQuery(query, taskstore::sql::selectTaskListOfGroup(groupId));
    for (query.first(); !query.atEnd(); query.next())
        names.insert(query.asText(QStringLiteral("TaskName")));
    return names;
}

// The task as a new one in the editor would be with these settings.
taskdef::TaskDraft draftOf(const ExampleTask &example, const ExampleEndpoint &endpoint, const QString &groupId,
                           const QString &taskId)
{
    taskdef::TaskDraft draft;
    taskstore::TaskRecord &task = draft.task;
    task.TaskID = taskId;
    task.GroupID = groupId;
    task.TaskName = example.name;
    task.ServerIP = endpoint.address;
    task.SecretKey = endpoint.secret;
    task.Port = example.port;
    task.RequestType = example.requestType;
    task.RequestTypeCode = taskdef::requestTypeEffect(example.requestType).code;
    task.AuthMode = example.mode;
    task.RunType = taskstore::kRunManually;
    task.StartID = 0;
    task.ReplyTimeout = 3;
    task.RetryTimes = 3;
    task.RepeatTimes = 1;
    task.NumInParall = 1;
    task.NumPerSec = 0;

    taskdef::PacketTable table;
    const QString packet = QStringLiteral("Packet1");
    table.packets << packet;
    for (const auto &[name, value] : example.pairs)
        table.rows.append({name, value, table.drawUniqueKey(), packet});
    draft.script = taskdef::PacketScriptFile::content(table);
    return draft;
}

} // namespace

ExampleEndpoint ExampleEndpoint::demoServer()
{
    namespace demo = demoserver::demo;
    return {QLatin1String(demo::kAddress), QLatin1String(demo::kSecret), demo::kAuthPort, demo::kAcctPort,
            demo::kCoaPort};
}

QList<ExampleTask> ExampleTasks::tasks(const ExampleEndpoint &endpoint)
{
    const QString bob = QStringLiteral("bob");
    const QString hello = QStringLiteral("hello");
    const QString pap = QStringLiteral("PAP");
    using namespace taskstore;
    return {
        {QStringLiteral("PAP"),
         kAuth,
         pap,
         endpoint.authPort,
         {{QStringLiteral("User-Name"), bob}, {QStringLiteral("User-Password"), hello}}},
        {QStringLiteral("CHAP"),
         kAuth,
         QStringLiteral("CHAP"),
         endpoint.authPort,
         {{QStringLiteral("User-Name"), bob}, {QStringLiteral("CHAP-Password"), hello}}},
        {QStringLiteral("EAP-MD5"),
         kAuth,
         QStringLiteral("EAP-MD5"),
         endpoint.authPort,
         {{QStringLiteral("User-Name"), bob}, {QStringLiteral("EAP-MD5-Password"), hello}}},
        {QStringLiteral("EAP-SIM"), kAuth, QStringLiteral("EAP-SIM"), endpoint.authPort, simPairs()},
        {QStringLiteral("MS-CHAPv2"),
         kAuth,
         QStringLiteral("MS-CHAPv2"),
         endpoint.authPort,
         {{QStringLiteral("User-Name"), bob}, {QStringLiteral("User-Password"), hello}}},
        {QStringLiteral("EAP-MSCHAPv2"),
         kAuth,
         QStringLiteral("EAP-MSCHAPv2"),
         endpoint.authPort,
         {{QStringLiteral("User-Name"), bob}, {QStringLiteral("User-Password"), hello}}},
        {QStringLiteral("Accounting Start"),
         kAcct,
         pap,
         endpoint.acctPort,
         {{QStringLiteral("User-Name"), bob},
          {QStringLiteral("Acct-Status-Type"), QStringLiteral("Start")},
          {QStringLiteral("Acct-Session-Id"), QStringLiteral("example-1")}}},
        {QStringLiteral("Accounting Stop"),
         kAcct,
         pap,
         endpoint.acctPort,
         {{QStringLiteral("User-Name"), bob},
          {QStringLiteral("Acct-Status-Type"), QStringLiteral("Stop")},
          {QStringLiteral("Acct-Session-Id"), QStringLiteral("example-1")},
          {QStringLiteral("Acct-Session-Time"), QStringLiteral("60")}}},
        {QStringLiteral("Status-Server"),
         kStatusServer,
         pap,
         endpoint.authPort,
         {{QStringLiteral("NAS-Identifier"), QStringLiteral("pellion-example")}}},
        {QStringLiteral("Disconnect"),
         kDisconnect,
         pap,
         endpoint.coaPort,
         {{QStringLiteral("User-Name"), bob}, {QStringLiteral("Acct-Session-Id"), QStringLiteral("example-1")}}},
    };
}

int ExampleTasks::load(taskstore::Connection &connection, const ExampleEndpoint &endpoint, const QDateTime &now)
{
    taskstore::Query query(connection);
    QString groupId = findGroup(query);
    if (groupId.isEmpty()) {
        groupId = taskstore::NewRecordId(query, taskstore::KeyTable::TaskGroup);
        taskstore::ExecQuery(query, taskstore::sql::insertGroup(groupId, kGroupName));
    }
    const QSet<QString> present = taskNames(query, groupId);
    int added = 0;
    for (const ExampleTask &example : tasks(endpoint)) {
        if (present.contains(example.name))
            continue;
        const QString taskId = taskstore::NewRecordId(query, taskstore::KeyTable::Task);
        taskdef::TaskSaver(connection).save(draftOf(example, endpoint, groupId, taskId), now);
        ++added;
    }
    return added;
}

} // namespace shell
