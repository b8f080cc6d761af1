#include "DecoderFixture.h"

#include "decoder/TfrmDecodePacket.h"
#include "decoder/ToolsMenu.h"

#include "platform/CurrentLanguage.h"
#include "platform/ScriptedDialogService.h"
#include "support/TempProgramDir.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QByteArray Secret = "testing123";
const QByteArray RequestVector = QByteArray::fromHex("00112233445566778899aabbccddeeff");

class TfrmDecodePacketTest : public DecoderFixture {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    template <typename T>
    T *control(const char *name)
    {
        T *found = window.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char *name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    void type(const char *name, const QString &text)
    {
        QWidget *field = control<QWidget>(name);
        field->setFocus();
        QTest::keyClicks(field, text);
    }
    QString result() { return control<QPlainTextEdit>("memResult")->toPlainText(); }

    // An Access-Accept with a Reply-Message and a Message-Authenticator, signed with Secret.
    static QByteArray reply()
    {
        return signedReply(2, 7, RequestVector,
                           QByteArray::fromHex("120568656c") + QByteArray::fromHex("5012") + QByteArray(16, '\0'),
                           Secret);
    }

    decoder::TfrmDecodePacket window;
};

// A hex dump as Wireshark copies it, 16 octets a line with the text column.
QString wiresharkDump(const QByteArray &octets)
{
    QStringList lines;
    for (int at = 0; at < octets.size(); at += 16) {
        const QByteArray part = octets.mid(at, 16);
        lines << QString("%1   %2   ................").arg(at, 4, 16, QChar('0')).arg(QString(part.toHex(' ')), -47);
    }
    return lines.join('\n');
}

} // namespace

TEST_F(TfrmDecodePacketTest, PastedReplyIsDecodedCheckedAndCopied)
{
    QApplication::clipboard()->setText(wiresharkDump(reply()));
    control<QPlainTextEdit>("edtPacket")->setFocus();
    QTest::keySequence(control<QPlainTextEdit>("edtPacket"), QKeySequence::Paste);
    type("edtSecret", Secret);
    type("edtRequest", RequestVector.toHex(':'));
    click("btnDecode");

    const QStringList lines = result().split('\n');
    EXPECT_TRUE(lines.contains("Code                    : 2 (Access-Accept)")) << result().toStdString();
    EXPECT_TRUE(lines.contains("Response Authenticator  : valid")) << result().toStdString();
    EXPECT_TRUE(lines.contains("Message-Authenticator   : valid")) << result().toStdString();
    EXPECT_TRUE(lines.contains("      Reply-Message = \"hel\"")) << result().toStdString();
    EXPECT_TRUE(lines.contains("Faults: none")) << result().toStdString();

    QApplication::clipboard()->clear();
    click("btnCopy");
    EXPECT_EQ(QApplication::clipboard()->text(), result());

    // The secret typed wrong: the Message-Authenticator is shown with the value it gives.
    control<QLineEdit>("edtSecret")->clear();
    type("edtSecret", "other");
    QTest::keyClick(control<QLineEdit>("edtSecret"), Qt::Key_Return);
    const QByteArray other =
        signedReply(2, 7, RequestVector,
                    QByteArray::fromHex("120568656c") + QByteArray::fromHex("5012") + QByteArray(16, '\0'), "other");
    EXPECT_TRUE(result().contains("Response Authenticator  : invalid, expected 0x")) << result().toStdString();
    EXPECT_TRUE(result().contains("Message-Authenticator   : invalid, expected 0x" + other.right(16).toHex()))
        << result().toStdString();
}

TEST_F(TfrmDecodePacketTest, InputThatCannotBeReadSaysWhy)
{
    struct Case {
        const char *packet;
        const char *request;
        const char *shown;
    };
    const Case cases[] = {
        {"02 07 zz", "", "Error: Line 1: 'z' is not a hexadecimal digit"},
        {"", "", "Error: No hexadecimal octets"},
        {"0207001400112233445566778899aabbccddeeff", "0102030405",
         "Error: Request: give its 16-octet authenticator or its octets, header first"},
        {"0207001400112233445566778899aabbccddeeff", "01 0",
         "Error: Request: An odd number of hexadecimal digits (3): an octet is cut short"},
    };
    for (const Case &c : cases) {
        control<QPlainTextEdit>("edtPacket")->clear();
        control<QLineEdit>("edtRequest")->clear();
        type("edtPacket", c.packet);
        type("edtRequest", c.request);
        click("btnDecode");
        EXPECT_EQ(result(), c.shown) << c.packet;
    }
}

TEST_F(TfrmDecodePacketTest, ARawFileIsLoadedAndDecoded)
{
    testsupport::TempProgramDir dir;
    ASSERT_TRUE(dir.writeFile("reply.bin", reply()));
    platform::ScriptedDialogService dialogs;
    dialogs.queueFileName(dir.filePath("reply.bin"));
    type("edtSecret", Secret);
    type("edtRequest", RequestVector.toHex());
    click("btnLoad");
    EXPECT_EQ(dialogs.fileRequestCount(), 1);
    EXPECT_EQ(control<QPlainTextEdit>("edtPacket")->toPlainText(), QString(reply().toHex(' ')));
    EXPECT_TRUE(result().contains("Response Authenticator  : valid")) << result().toStdString();
}

// The fields' colons stand one above the other on the screen in Chinese too: the result's
// font shows a Chinese label's characters as the two columns each the text counts.
TEST_F(TfrmDecodePacketTest, ChineseFieldColonsStandOneAboveTheOther)
{
    testsupport::TempProgramDir dir;
    ASSERT_TRUE(platform::CurrentLanguage::setCurrentName(QStringLiteral("简体中文")));
    type("edtPacket", reply().toHex());
    type("edtSecret", Secret);
    type("edtRequest", RequestVector.toHex());
    click("btnDecode");
    const auto *pane = control<QPlainTextEdit>("memResult");
    const QFontMetricsF metrics(pane->font());
    QStringList labels;
    QList<qreal> colons;
    // The header's fields, up to the Message-Authenticator's.
    for (const QString &line : pane->toPlainText().split('\n')) {
        const qsizetype colon = line.indexOf(QStringLiteral(": "));
        if (colon < 0)
            break;
        labels << line.left(colon).trimmed();
        colons << metrics.horizontalAdvance(line.left(colon));
        if (labels.last() == QStringLiteral("Message-Authenticator"))
            break;
    }
    ASSERT_TRUE(labels.contains(QStringLiteral(u"标识符"))) << pane->toPlainText().toStdString();
    ASSERT_TRUE(labels.contains(QStringLiteral("Message-Authenticator"))) << pane->toPlainText().toStdString();
    for (qsizetype i = 1; i < colons.size(); ++i)
        EXPECT_NEAR(colons[i], colons.first(), 0.5)
            << labels[i].toStdString() << " beside " << labels.first().toStdString();
}

TEST(ToolsMenu, DecodePacketOpensTheDecoderFromAMenuBeforeOption)
{
    QMainWindow main;
    auto *option = main.menuBar()->addMenu("Option");
    option->setObjectName("mnuOption1");
    decoder::addToolsMenu(&main);
    const QList<QAction *> menus = main.menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->menu()->objectName(), "mnuTools");
    auto *decode = main.findChild<QAction *>("mnuDecodePacket");
    ASSERT_NE(decode, nullptr);
    EXPECT_EQ(decode->text(), "Decode Packet");
    decode->trigger();
    auto *window = main.findChild<decoder::TfrmDecodePacket *>("frmDecodePacket");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
}
