#include "ServerSuite.h"

#include "taskdef/EscapedForm.h"
#include "taskdef/PacketScriptFile.h"

#include <QRegularExpression>

// Values that the task editor holds in escaped form, written by its writer and sent by
// radclient: the server must receive exactly the values the user meant.

namespace {

// Characters the script syntax, the escaped form or the quoting rule treat specially; no
// blank, since a users-file name ends at one.
const QString kSpecialUser = R"(x#1=a,b"q"\z)";

// One value per attribute; the server sends back each as hex in a Reply-Message, in this order.
struct SentValue {
    const char *attribute;
    QString value;
};
const std::vector<SentValue> kValues = {
    {"NAS-Identifier", "abc#1"},         {"Called-Station-Id", "a=b"}, {"Calling-Station-Id", R"(C:\dir\)"},
    {"Connect-Info", R"(say "hi" now)"}, {"Filter-Id", "  padded  "},  {"Callback-Id", "a,b;c"},
};

// The server reads a users-file name in single quotes as it stands (no quote of that kind inside).
QString usersFileWord(const QString &text)
{
    return '\'' + text + '\'';
}

testsupport::RadiusUser specialUser()
{
    QStringList echo{"Reply-Message := \"%{hex:User-Name}\""};
    for (const SentValue &v : kValues)
        echo << QString("Reply-Message += \"%{hex:%1}\"").arg(v.attribute);
    return {usersFileWord(kSpecialUser), "Cleartext-Password := \"hello\"", echo.join(", ")};
}

class RadclientEscapedValues : public ServerSuite {
protected:
    static void SetUpTestSuite() { startServer({specialUser()}); }
};

TEST_F(RadclientEscapedValues, ServerReceivesTheValuesAsTheEditorHeldThem)
{
    // The rows as the task editor holds them after a load or as the packet editor asks
    // the user to type them.
    taskdef::PacketTable table;
    table.packets = {"Packet1"};
    table.rows.append({"User-Name", taskdef::EscapedForm::fromValue(kSpecialUser), "1", "Packet1"});
    table.rows.append({"User-Password", "hello", "2", "Packet1"});
    for (const SentValue &v : kValues)
        table.rows.append(
            {v.attribute, taskdef::EscapedForm::fromValue(v.value), QString::number(table.rows.size() + 1), "Packet1"});
    ASSERT_TRUE(taskdef::PacketScriptFile::problems(table).isEmpty());
    ASSERT_TRUE(taskdef::PacketScriptFile::write(taskdef::PacketScriptFile::pathFor("7"), table));

    const auto r = m_runner.runWords(ClientRunner::radclient(),
                                     {"-f", "script/7.txt", "-sx", "-r", "1", "-t", "3", auth(), "1", secret()});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.text().toStdString() << m_runner.dir().readFile("script/7.txt").toStdString();
    EXPECT_TRUE(r.hasLine("Info: Received Access-Accept"));
    EXPECT_EQ(r.total("approved"), 1);

    QStringList received;
    const QRegularExpression echo("^\tReply-Message = \"([0-9a-f]*)\"$");
    for (const QString &line : r.lines)
        if (const auto m = echo.match(line); m.hasMatch())
            received << QString::fromUtf8(QByteArray::fromHex(m.captured(1).toLatin1()));
    QStringList expected{kSpecialUser};
    for (const SentValue &v : kValues)
        expected << v.value;
    EXPECT_EQ(received, expected) << r.text().toStdString();
}

TEST_F(RadclientEscapedValues, BareEscapesTheOldReaderRefusedAreSent)
{
    // Typed by hand in escaped form, written bare: the library's own line reader refused these.
    const QByteArray script =
        "User-Name = bob\r\nUser-Password = hello\r\n"
        "NAS-Identifier = abc\\#1\r\nCalled-Station-Id = abc\\=1\r\n\r\n";
    const auto r = m_runner.run(ClientRunner::radclient(), {"-sx", "-t", "3", auth(), "1", secret()}, script);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.text().toStdString();
    EXPECT_FALSE(r.hasLine("Error:"));
    EXPECT_TRUE(r.hasLine("\tNAS-Identifier = \"abc#1\"")) << r.text().toStdString();
    EXPECT_TRUE(r.hasLine("\tCalled-Station-Id = \"abc=1\""));
    EXPECT_EQ(r.total("approved"), 1);
}

} // namespace
