#include "execution/ClientCommandLine.h"
#include "execution/MessageClass.h"
#include "execution/RunClient.h"
#include "execution/RunFlags.h"
#include "platform/CommandLine.h"
#include "platform/ScriptedDialogService.h"
#include "support/SampleTask.h"
#include "support/TempProgramDir.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace execution;

TEST(ClassifyLine, FirstMarkerInTestOrderWins)
{
    struct Case {
        const char *line;
        MessageClass expected;
    };
    const Case cases[] = {
        {"Info: sent 1", MessageClass::Info},
        {"Warning: slow reply", MessageClass::Warning},
        {"  x Error: no reply", MessageClass::Error},
        {"Total: 10 requests", MessageClass::Summary},
        {"Error: first, Info: later", MessageClass::Info},
        {"Warning: then Error:", MessageClass::Warning},
        {"total in lower case", MessageClass::Info},
        {"error: lower case", MessageClass::Info},
        {"Totals", MessageClass::Summary},
        {"", MessageClass::Info},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ClassifyLine(c.line), c.expected) << c.line;
}

namespace {
taskstore::TaskRecord task(const char *mode)
{
    taskstore::TaskRecord t = testsupport::sampleTask("42");
    t.AuthMode = mode;
    t.ServerIP = "10.0.0.5";
    return t;
}
} // namespace

TEST(BuildCommandLine, BothFormatsByteExact)
{
    EXPECT_EQ(BuildCommandLine(task("PAP")),
              "radclient -c 1  -f  \"script/42.txt\"  -i 0  -n 0  -p 1  -r 3  -t 3  -sx  10.0.0.5:1812 1 testing123");
    EXPECT_EQ(BuildCommandLine(task("EAP-MD5")),
              "radeapclient -c 1  -f  \"script/42.txt\"  -i 0  -r 3  -t 3  -sx  10.0.0.5:1812 1 testing123");
    EXPECT_EQ(BuildCommandLine(task("EAP-SIM")).left(13), "radeapclient ");
    // the EAP modes are recognised in their exact case only
    EXPECT_EQ(BuildCommandLine(task("eap-md5")).left(10), "radclient ");
    EXPECT_EQ(BuildCommandLine(task("CHAP")).left(10), "radclient ");
}

TEST(BuildCommandLine, ValuesWithBlanksStayOneWord)
{
    auto t = task("PAP");
    t.SecretKey = "two words";
    t.ServerIP = "10.0.0.5 x";
    const QStringList words = platform::splitCommandLine(BuildCommandLine(t));
    ASSERT_EQ(words.size(), 19);
    EXPECT_EQ(words[16], "10.0.0.5 x:1812");
    EXPECT_EQ(words[17], "1");
    EXPECT_EQ(words[18], "two words");
    EXPECT_EQ(words[4], "script/42.txt");
}

// The client reads "host:port" up to the last colon: an IPv6 address needs brackets.
TEST(BuildCommandLine, Ipv6ServersAreBracketed)
{
    struct Case {
        const char *server;
        const char *word;
    };
    const Case cases[] = {
        {"::1", "[::1]:1812"},           {"fe80::1:2", "[fe80::1:2]:1812"},
        {"[::1]", "[::1]:1812"},         {"2001:db8::5 ", "[2001:db8::5]:1812"},
        {"127.0.0.1", "127.0.0.1:1812"}, {"radius.example", "radius.example:1812"},
    };
    for (const Case &c : cases) {
        auto t = task("PAP");
        t.ServerIP = c.server;
        const QStringList words = platform::splitCommandLine(BuildCommandLine(t));
        ASSERT_EQ(words.size(), 19) << c.server;
        EXPECT_EQ(words[16], c.word) << c.server;
    }
}

// Each mode's line: the enterprise modes name their method and only the settings they
// use; the older modes keep their lines whatever EAP settings a task carries.
TEST(BuildCommandLine, EachModeGetsItsMethodAndTheSettingsItUses)
{
    taskstore::TaskEapSettings everything;
    everything.AnonymousIdentity = "anonymous@example.org";
    everything.InnerMethod = "pap";
    everything.CaFile = "/pki/ca file.pem";
    everything.CertFile = "/pki/client.pem";
    everything.KeyFile = "/pki/client.key";
    taskstore::TaskEapSettings insecure = everything;
    insecure.VerifyServer = false;
    taskstore::TaskEapSettings systemStore;
    systemStore.InnerMethod = "mschapv2";

    struct Case {
        const char *mode;
        taskstore::TaskEapSettings eap;
        bool eapClient;
        const char *options; // between "-sx  " and the server
    };
    const QString plain = "radclient -c 1  -f  \"script/42.txt\"  -i 0  -n 0  -p 1  -r 3  -t 3  -sx  ";
    const QString eap = "radeapclient -c 1  -f  \"script/42.txt\"  -i 0  -r 3  -t 3  -sx  ";
    const Case cases[] = {
        {"MS-CHAPv2", everything, false, "-a mschapv2  "},
        {"EAP-MSCHAPv2", everything, true, "-a mschapv2  "},
        {"PEAP", everything, true,
         "-a peap --anonymous anonymous@example.org --eap-ca \"/pki/ca file.pem\" --eap-cert /pki/client.pem "
         "--eap-key /pki/client.key  "},
        {"PEAP", {}, true, "-a peap  "},
        {"EAP-TTLS", insecure, true,
         "-a ttls --anonymous anonymous@example.org --inner pap --eap-insecure --eap-cert /pki/client.pem "
         "--eap-key /pki/client.key  "},
        {"EAP-TTLS", systemStore, true, "-a ttls --inner mschapv2  "},
        {"EAP-TLS", everything, true,
         "-a tls --eap-ca \"/pki/ca file.pem\" --eap-cert /pki/client.pem --eap-key /pki/client.key  "},
        {"EAP-MD5", everything, true, ""},
        {"EAP-SIM", insecure, true, ""},
        {"PAP", everything, false, ""},
        {"peap", everything, false, ""}, // the exact name only, as for the older EAP modes
    };
    for (const Case &c : cases) {
        auto t = task(c.mode);
        t.Eap = c.eap;
        EXPECT_EQ(BuildCommandLine(t), (c.eapClient ? eap : plain) + c.options + "10.0.0.5:1812 1 testing123")
            << c.mode;
    }
    // Where the request type takes no mode (accounting...), an enterprise mode is not used:
    // such a task keeps the line it had.
    for (const int type : {taskstore::kAcct, taskstore::kStatusServer, taskstore::kDisconnect}) {
        auto t = task("EAP-TLS");
        t.Eap = everything;
        t.RequestType = type;
        EXPECT_EQ(BuildCommandLine(t), plain + "10.0.0.5:1812 1 testing123") << type;
    }
    auto userDefined = task("EAP-TLS");
    userDefined.RequestType = taskstore::kUserDefined;
    EXPECT_EQ(BuildCommandLine(userDefined), eap + "-a tls  10.0.0.5:1812 1 testing123");

    // A file with a blank reaches the client as one word, beside the transport's words.
    auto t = task("EAP-TLS");
    t.Eap = everything;
    t.Transport.Protocol = "tcp";
    const QStringList words = platform::splitCommandLine(BuildCommandLine(t));
    const qsizetype ca = words.indexOf("--eap-ca");
    ASSERT_GT(ca, 0);
    EXPECT_EQ(words[ca + 1], "/pki/ca file.pem");
    EXPECT_EQ(words.mid(words.indexOf("-P"), 2), QStringList({"-P", "tcp"}));
    EXPECT_EQ(words.last(), "testing123");
}

namespace {
class ClientRun : public ::testing::Test {
protected:
    void writeClient(const QByteArray &body)
    {
        ASSERT_TRUE(dir.writeFile("fakeclient", "#!/bin/sh\n" + body));
        QFile::setPermissions(dir.filePath("fakeclient"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // On the user-interface thread the hand-over runs directly.
    QList<ClientLine> run(const QString &commandLine = "fakeclient")
    {
        QList<ClientLine> lines;
        RunClient(
            commandLine, [&](const QList<ClientLine> &batch) { lines += batch; }, flags);
        return lines;
    }
    static QStringList texts(const QList<ClientLine> &lines)
    {
        QStringList out;
        for (const ClientLine &l : lines)
            out << l.text;
        return out;
    }

    testsupport::TempProgramDir dir;
    platform::ScriptedDialogService dialogs;
    RunFlags flags;
};
} // namespace

TEST_F(ClientRun, DeliversLinesWithTheirClassesInOrder)
{
    writeClient(
        "printf 'abc\\r\\nWarning: w\\r\\n' ; printf 'Total: 3\\r\\n' >&2; printf 'Error: e\\r\\nbare\\n\\r\\nlast'\n");
    const auto lines = run();
    EXPECT_EQ(texts(lines), (QStringList{"abc", "Warning: w", "Total: 3", "Error: e", "bare", "", "last"}));
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[1].messageClass, MessageClass::Warning);
    EXPECT_EQ(lines[2].messageClass, MessageClass::Summary);
    EXPECT_EQ(lines[3].messageClass, MessageClass::Error);
    EXPECT_EQ(lines[6].messageClass, MessageClass::Info);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(ClientRun, LongLinesSplitAt4096AndNulEndsTheText)
{
    writeClient(
        "head -c 5000 /dev/zero | tr '\\0' 'a'; printf '\\r\\n'; printf 'ab\\0cd\\r\\nUTF-8: \\303\\251\\r\\n'\n");
    const QStringList got = texts(run());
    ASSERT_EQ(got.size(), 4);
    EXPECT_EQ(got[0], QString(4096, 'a'));
    EXPECT_EQ(got[1], QString(904, 'a'));
    EXPECT_EQ(got[2], "ab");
    EXPECT_EQ(got[3], QString::fromUtf8("UTF-8: \xc3\xa9"));
}

TEST_F(ClientRun, SilentClientDeliversNothing)
{
    writeClient("exit 3\n");
    EXPECT_TRUE(run().isEmpty());
}

TEST_F(ClientRun, MissingClientShowsTheTwoMessagesAndNoLine)
{
    EXPECT_TRUE(run("no-such-client -c 1").isEmpty());
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages()[0].text, "No such file or directory");
    EXPECT_EQ(dialogs.messages()[0].title, "Error");
    EXPECT_EQ(dialogs.messages()[0].icon, platform::MessageIcon::Information);
    EXPECT_EQ(dialogs.messages()[1].text, QString::fromUtf8("无法建立新进程!"));
    EXPECT_EQ(dialogs.messages()[1].icon, platform::MessageIcon::None);
}

TEST_F(ClientRun, StopWhileSilentTakesEffectWithTheNextByte)
{
    // The stop comes while the client is silent; it goes on only once told to.
    writeClient(
        "printf 'one\\r\\n'; while [ ! -e go ]; do sleep 0.02; done; printf 'two\\r\\n'; sleep 10; printf "
        "'three\\r\\n'\n");
    QList<ClientLine> lines;
    RunClient(
        "fakeclient",
        [&](const QList<ClientLine> &batch) {
            lines += batch;
            if (batch.first().text == "one") {
                flags.requestStop();
                ASSERT_TRUE(dir.writeFile("go", ""));
            }
        },
        flags);
    // the stop is seen after the first byte of "two": that byte is the last line
    EXPECT_EQ(texts(lines), (QStringList{"one", "t"}));
}

TEST_F(ClientRun, AbandonLeavesASilentClientAtOnce)
{
    writeClient("printf 'one\\r\\n'; sleep 10; printf 'late\\r\\n'\n");
    QList<ClientLine> lines;
    RunClient(
        "fakeclient",
        [&](const QList<ClientLine> &batch) {
            lines += batch;
            flags.abandon();
        },
        flags);
    EXPECT_EQ(texts(lines), QStringList{"one"});
}

TEST_F(ClientRun, EveryStoredTextReachesTheClientAsOneWord)
{
    // The client prints each word it was given on a line of its own.
    writeClient("for word in \"$@\"; do printf '[%s]\\r\\n' \"$word\"; done\n");
    ASSERT_TRUE(QFile::rename(dir.filePath("fakeclient"), dir.filePath("radclient")));
    struct Case {
        const char *server;
        const char *secret;
    };
    const Case cases[] = {
        {"10.0.0.5", "ab\"cd"},      {"10.0.0.5", "\"quoted\""},   {"10.0.0.5", "back\\slash\\"},
        {"10.0.0.5", "a\\\"b c"},    {"10.0.0.5", " two  words "}, {"10.0.0.5", ""},
        {"host\"name", "tab\there"}, {"127.0.0.1", "$HOME;`id`*"},
    };
    for (const Case &c : cases) {
        auto t = task("PAP");
        t.ServerIP = QString::fromUtf8(c.server);
        t.SecretKey = QString::fromUtf8(c.secret);
        const QStringList got = texts(run(BuildCommandLine(t)));
        ASSERT_EQ(got.size(), 18) << c.secret;
        EXPECT_EQ(got[3], "[script/42.txt]");
        EXPECT_EQ(got[15], "[" + t.ServerIP + ":1812]") << c.server;
        EXPECT_EQ(got[16], "[1]");
        EXPECT_EQ(got[17], "[" + t.SecretKey + "]") << c.secret;
    }
    EXPECT_TRUE(dialogs.messages().isEmpty());
}
