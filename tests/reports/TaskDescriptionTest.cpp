#include "reports/TaskDescription.h"

#include "QtPrinters.h"
#include "platform/CurrentLanguage.h"
#include "support/SampleTask.h"
#include "support/TempProgramDir.h"
#include "textcolumns/DisplayColumns.h"

#include <gtest/gtest.h>

using reports::TaskDescription;
using taskstore::TaskRecord;

namespace {

const QString S1 = "  " + QString(86, '-');
const QString S2 = "    " + QString(83, '-');

TaskRecord accessTask()
{
    TaskRecord t = testsupport::sampleTask("17");
    t.TaskName = "pap check";
    t.SecretKey.clear();
    t.StartID = 7;
    t.RetryTimes = 2;
    return t;
}

QString join(const QStringList &lines)
{
    return lines.join('\n');
}

} // namespace

TEST(TaskDescription, AccessRequestRunByHandWithDefaultRates)
{
    const QStringList golden = {
        S1,
        "  Task Name : pap check           ",
        "  Group Name: All Tasks",
        S1,
        "    Server IP : 127.0.0.1       ",
        "    Port      : 1812",
        S2,
        "    Request Type: Access Request",
        "    Code        : 1 ",
        "    Mode        : PAP",
        S2,
        "    Retry Timeout[sec.]: 3",
        "    Retry Times        : 2",
        "    Radius Request ID  : 7",
        "    Repeat Times       : 1",
        "    Number Requests Per Sec    : 0",
        "        Default value is 0,and the requests are sent as fast as possible.",
        "    Number Requests In Parall  : 1",
        "        Default value is 1,and sends the first request,waits for the response,and once",
        "        the response is received,sends the second request.",
        S2,
        "    Schedule Type:",
        "        Run manually",
        S2,
    };
    // A manual task ignores any schedule rows handed in.
    EXPECT_EQ(join(TaskDescription::lines(accessTask(), "ignored", {"Run every day"})), join(golden));
}

TEST(TaskDescription, AccountingTaskOfAGroupOnSchedules)
{
    TaskRecord t = accessTask();
    t.GroupID = " 4711 ";
    t.TaskName = "a task name longer than twenty";
    t.ServerIP = "radius.example.org.local";
    t.RequestType = taskstore::kAcct;
    t.RequestTypeCode = 4;
    t.RunType = taskstore::kRunBySchedule;
    t.NumPerSec = 5;
    t.NumInParall = 3;
    const QStringList golden = {
        S1,
        "  Task Name : a task name longer than twenty",
        "  Group Name: Lab                 ",
        S1,
        "    Server IP : radius.example.org.local",
        "    Port      : 1812",
        S2,
        "    Request Type: Accounting Request",
        "    Code        : 4 ",
        S2,
        "    Retry Timeout[sec.]: 3",
        "    Retry Times        : 2",
        "    Radius Request ID  : 7",
        "    Repeat Times       : 1",
        "    Number Requests Per Sec    : 5",
        "    Number Requests In Parall  : 3",
        S2,
        "    Schedule Type:",
        "        Run every day",
        "        Run every 5 minutes; Starting at 08:30:00",
        S2,
    };
    EXPECT_EQ(join(TaskDescription::lines(t, "Lab", {"Run every day", "Run every 5 minutes; Starting at 08:30:00"})),
              join(golden));
}

TEST(TaskDescription, RequestTypeLines)
{
    struct Case {
        int type;
        int code;
        QStringList lines; // between the two separators around them
    };
    const Case cases[] = {
        {taskstore::kStatusServer, 12, {"    Request Type: Status Server", "    Code        : 12"}},
        {taskstore::kDisconnect, 40, {"    Request Type: Disconnect Request", "    Code        : 40"}},
        {taskstore::kUserDefined,
         -1,
         {"    Request Type: User Defined", "    Code        : -1", "    Mode        : CHAP"}},
        {7, 1, {}},
    };
    for (const Case &c : cases) {
        TaskRecord t = accessTask();
        t.RequestType = c.type;
        t.RequestTypeCode = c.code;
        t.AuthMode = "CHAP";
        const QStringList lines = TaskDescription::lines(t, {}, {});
        const int first = lines.indexOf(S2) + 1;
        const int end = lines.indexOf(S2, first);
        EXPECT_EQ(lines.mid(first, end - first), c.lines) << "type " << c.type;
    }
}

TEST(TaskDescription, MissingTaskGivesEmptyTextsAndZeros)
{
    // The view of TaskID "0": no row, so empty texts and zeros, and an empty group name.
    const QStringList lines = TaskDescription::lines(TaskRecord{}, {}, {});
    EXPECT_EQ(lines[1], "  Task Name : " + QString(20, ' '));
    EXPECT_EQ(lines[2], "  Group Name: " + QString(20, ' '));
    EXPECT_EQ(lines[5], "    Port      : 0");
    EXPECT_TRUE(lines.contains("    Code        : 0 "));
    EXPECT_TRUE(lines.contains("        Default value is 0,and the requests are sent as fast as possible."));
    EXPECT_FALSE(lines.contains("        the response is received,sends the second request."));
    EXPECT_EQ(lines.last(2).first(), "        Run manually");
}

// Transport settings other than the defaults follow the port; the defaults add no line
// (the golden description above).
TEST(TaskDescription, TransportLinesOnlyForSettingsBeyondTheDefaults)
{
    struct Case {
        const char *name;
        taskstore::TaskTransport transport;
        QStringList lines; // after the port line
    };
    taskstore::TaskTransport tls;
    tls.Protocol = "tls";
    tls.CaFile = "/pki/ca.pem";
    tls.CertFile = "/pki/client.pem";
    tls.KeyFile = "/pki/client.key";
    tls.RequireMessageAuthenticator = true;
    taskstore::TaskTransport legacyUdp;
    legacyUdp.MessageAuthenticatorFirst = false;
    const Case cases[] = {
        {"tls with a client certificate",
         tls,
         {"    Transport : TLS", "    CA File   : /pki/ca.pem", "    Client Certificate: /pki/client.pem",
          "    Client Key        : /pki/client.key",
          "    Message-Authenticator in requests: first in every Access-Request",
          "    Message-Authenticator in replies : required"}},
        {"legacy udp",
         legacyUdp,
         {"    Transport : UDP", "    Message-Authenticator in requests: only where required (legacy)",
          "    Message-Authenticator in replies : not required"}},
    };
    for (const Case &c : cases) {
        TaskRecord task = accessTask();
        task.Transport = c.transport;
        const QStringList lines = TaskDescription::lines(task, {}, {});
        const qsizetype port = lines.indexOf("    Port      : 1812");
        ASSERT_GE(port, 0) << c.name;
        EXPECT_EQ(join(lines.mid(port + 1, c.lines.size())), join(c.lines)) << c.name;
        EXPECT_EQ(lines.value(port + 1 + c.lines.size()), S2) << c.name;
    }
}

// An enterprise mode's line is followed by what the mode takes beyond the packet, and only
// that: the settings another mode would use are not shown. The older modes keep one line.
TEST(TaskDescription, EnterpriseModesDescribeTheirSettings)
{
    taskstore::TaskEapSettings eap;
    eap.AnonymousIdentity = "anonymous@example.org";
    eap.InnerMethod = "mschapv2";
    eap.CaFile = "/pki/ca.pem";
    eap.CertFile = "/pki/client.pem";
    eap.KeyFile = "/pki/client.key";
    taskstore::TaskEapSettings insecure;
    insecure.VerifyServer = false;
    const QString credentials = "        Identity and password: the packet's User-Name and User-Password";
    struct Case {
        const char *mode;
        taskstore::TaskEapSettings eap;
        QStringList lines; // after the mode line, up to the separator
    };
    const Case cases[] = {
        {"MS-CHAPv2", eap, {credentials}},
        {"PEAP",
         {},
         {credentials, "        Anonymous Identity : none, the user's own",
          "        Server Certificate : checked against the system's certificates"}},
        {"EAP-TTLS",
         eap,
         {credentials, "        Anonymous Identity : anonymous@example.org", "        Inner Method       : MS-CHAPv2",
          "        Server Certificate : checked against /pki/ca.pem", "        Client Certificate : /pki/client.pem",
          "        Client Key         : /pki/client.key"}},
        {"EAP-TLS", insecure, {"        Server Certificate : not checked"}},
        {"EAP-MD5", eap, {}},
    };
    for (const Case &c : cases) {
        TaskRecord task = accessTask();
        task.AuthMode = c.mode;
        task.Eap = c.eap;
        const QStringList lines = TaskDescription::lines(task, {}, {});
        const qsizetype mode = lines.indexOf(QString("    Mode        : ") + c.mode);
        ASSERT_GE(mode, 0) << c.mode;
        EXPECT_EQ(join(lines.mid(mode + 1, c.lines.size())), join(c.lines)) << c.mode;
        EXPECT_EQ(lines.value(mode + 1 + c.lines.size()), S2) << c.mode;
    }
}

namespace {

// Columns before the line's first colon, as a fixed-width font shows them; -1 without one.
qsizetype colonColumn(const QString &line)
{
    for (qsizetype i = 0; i < line.size(); ++i)
        if (line.at(i) == u':' || line.at(i) == u'\uFF1A')
            return textcolumns::columnsOf(line.left(i));
    return -1;
}

} // namespace

// Under every language the colons of a block stand in one column, a Chinese character
// counted as the two columns it takes, however the translation pads its labels.
TEST(TaskDescription, ColonsOfABlockShareAColumnInEveryLanguage)
{
    testsupport::TempProgramDir dir;
    // Labels as a translator may write them: unpadded, one with the ASCII colon.
    ASSERT_TRUE(dir.writeFile("Language/Tight.ini",
                              "[frmViewTask]\nReport.TaskName=\"  任务名称: \"\n"
                              "Report.GroupName=\"  组： \"\n"
                              "Report.ServerIP=\"    服务器的地址：\"\n"));
    struct Case {
        const char *language;
        QList<QStringList> blocks; // each block by the labels its lines start with
    };
    const Case cases[] = {
        {"简体中文",
         {{"任务名称", "任务组"},
          {"服务器 IP", "端口", "传输方式", "CA 文件"},
          {"客户端证书", "客户端私钥"},
          {"请求中的 Message-Authenticator", "应答中的 Message-Authenticator"},
          {"请求类型", "代码", "模式"},
          {"匿名身份", "内部认证方式", "服务器证书"},
          {"应答超时", "重试次数", "RADIUS 请求 ID", "重复次数"},
          {"每秒请求数", "并行请求数"}}},
        {"Tight", {{"任务名称", "组"}, {"服务器的地址", "Port"}}},
    };
    TaskRecord task = accessTask();
    task.GroupID = "G1";
    task.AuthMode = "EAP-TTLS";
    task.Eap.AnonymousIdentity = "anonymous@example.org";
    task.Eap.InnerMethod = "mschapv2";
    task.Transport.Protocol = "tls";
    task.Transport.CaFile = "/pki/ca.pem";
    task.Transport.CertFile = "/pki/client.pem";
    task.Transport.KeyFile = "/pki/client.key";
    for (const Case &c : cases) {
        ASSERT_TRUE(platform::CurrentLanguage::setCurrentName(QString::fromUtf8(c.language)));
        const QStringList lines = TaskDescription::lines(task, "测试组", {});
        for (const QStringList &block : c.blocks) {
            QList<qsizetype> columns;
            for (const QString &label : block) {
                const auto line = std::find_if(lines.begin(), lines.end(),
                                               [&](const QString &l) { return l.trimmed().startsWith(label); });
                columns << (line == lines.end() ? -1 : colonColumn(*line));
            }
            EXPECT_FALSE(columns.contains(-1))
                << c.language << ": a line of " << block.join(", ").toStdString() << " is missing or has no colon";
            EXPECT_EQ(columns, QList<qsizetype>(block.size(), columns.first()))
                << c.language << ": " << block.join(", ").toStdString() << "\n"
                << join(lines).toStdString();
        }
    }
}
