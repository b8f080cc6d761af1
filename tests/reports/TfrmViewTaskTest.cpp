#include "reports/TfrmViewTask.h"
#include "reports/TaskReport.h"

#include "platform/CurrentLanguage.h"
#include "radius/Dictionary.h"
#include "support/SampleTask.h"
#include "support/TempProgramDir.h"
#include "taskstore/Connection.h"
#include "taskstore/Query.h"
#include "taskstore/Statements.h"

#include "QtPrinters.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace taskstore;
using reports::TfrmViewTask;

namespace {

class TfrmViewTaskTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(radius::Dictionary::load(PELLION_SOURCE_DIR "/data/dictionary").ok()); }

    void SetUp() override
    {
        TaskRecord t = testsupport::sampleTask("31");
        t.TaskName = "view me";
        t.Port = 1813;
        t.RequestType = kAcct;
        t.RequestTypeCode = 4;
        Query query(main);
        testsupport::insertTaskRows(query, t);
        ASSERT_TRUE(dir.writeFile("script/31.txt", "User-Name = bob\r\nAcct-Status-Type = Start\r\n\r\n"));
    }

    static QString paneText(const TfrmViewTask &window, const char *name)
    {
        const auto *pane = window.findChild<QPlainTextEdit *>(name);
        return pane ? pane->toPlainText() : QStringLiteral("<no pane %1>").arg(name);
    }

    testsupport::TempProgramDir dir;
    Connection main{Connection::defaultPath()};
};

} // namespace

TEST_F(TfrmViewTaskTest, PanesHoldTheReportInAFixedWidthFont)
{
    TfrmViewTask window(main, "31", nullptr);
    EXPECT_EQ(window.objectName(), "frmViewTask");
    EXPECT_EQ(window.windowTitle(), "View Task");

    // The accounting packet is deterministic, so the panes must equal a fresh build.
    const reports::TaskReportTexts texts = reports::TaskReport::build(main, "31");
    EXPECT_EQ(paneText(window, "RichEditTaskDescript"), texts.description.join('\n'));
    EXPECT_EQ(paneText(window, "RichEditTaskViewText"), texts.packetText.join('\n'));
    EXPECT_EQ(paneText(window, "RichEditTaskViewRaw"), texts.rawPackets.join('\n'));
    EXPECT_TRUE(texts.rawPackets.contains("   Code          : 0x04"));

    for (const char *name : {"RichEditTaskDescript", "RichEditTaskViewText", "RichEditTaskViewRaw"}) {
        const auto *pane = window.findChild<QPlainTextEdit *>(name);
        ASSERT_NE(pane, nullptr) << name;
        EXPECT_TRUE(pane->isReadOnly()) << name;
        // Fixed width: narrow letters alike, a Chinese character as wide as two.
        const QFontMetricsF metrics(pane->font());
        EXPECT_DOUBLE_EQ(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('M')) << name;
        EXPECT_NEAR(metrics.horizontalAdvance(QStringLiteral(u"中")), 2 * metrics.horizontalAdvance('M'), 0.01) << name;
    }
    const auto *pages = window.findChild<QTabWidget *>();
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->count(), 2);
    EXPECT_EQ(pages->tabText(0), "Text Packet[s]");
    EXPECT_EQ(pages->tabText(1), "Raw Packet[s]");
    EXPECT_EQ(pages->currentIndex(), 0);
}

TEST_F(TfrmViewTaskTest, ViewTaskShowsTheWindowModallyUntilOk)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto *window = qobject_cast<TfrmViewTask *>(QApplication::activeModalWidget());
        if (!window) {
            ADD_FAILURE() << "no modal task view";
            return;
        }
        shown = window->isVisible() && !paneText(*window, "RichEditTaskDescript").isEmpty();
        auto *ok = window->findChild<QPushButton *>("btnOK");
        if (!ok) {
            ADD_FAILURE() << "no btnOK";
            window->reject();
            return;
        }
        EXPECT_EQ(ok->text(), "OK");
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    TfrmViewTask::viewTask(main, "0", nullptr);
    EXPECT_TRUE(shown);
}

TEST_F(TfrmViewTaskTest, OkTakesTheCommonCaptionOfTheLanguage)
{
    ASSERT_TRUE(dir.writeFile("Language/English.ini", "[dialog_common]\r\nBTNOK.Caption=Schliessen\r\n"));
    TfrmViewTask window(main, "31", nullptr);
    const auto *ok = window.findChild<QPushButton *>("btnOK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "Schliessen");
}

// In Chinese the colons of each block stand one above the other on the screen, not only
// in the count of columns: the pane's font shows a Chinese character as two columns.
TEST_F(TfrmViewTaskTest, ChineseColonsStandOneAboveTheOther)
{
    ASSERT_TRUE(platform::CurrentLanguage::setCurrentName(QStringLiteral("简体中文")));
    TfrmViewTask window(main, "31", nullptr);
    window.show();
    const auto *pane = window.findChild<QPlainTextEdit *>("RichEditTaskDescript");
    ASSERT_NE(pane, nullptr);
    const QStringList lines = pane->toPlainText().split('\n');
    const QFontMetricsF metrics(pane->font());
    // Where the first colon of the line starting with `label` stands, in pixels.
    const auto colonX = [&](const QString &label) -> qreal {
        for (const QString &line : lines) {
            if (!line.trimmed().startsWith(label))
                continue;
            const qsizetype colon = line.indexOf(QStringLiteral(u"："));
            return colon < 0 ? -1 : metrics.horizontalAdvance(line.left(colon));
        }
        ADD_FAILURE() << "no line of " << label.toStdString() << " in\n" << lines.join('\n').toStdString();
        return -1;
    };
    const QList<QStringList> blocks = {{"任务名称", "任务组"},
                                       {"服务器 IP", "端口"},
                                       {"请求类型", "代码"},
                                       {"应答超时", "重试次数", "RADIUS 请求 ID", "重复次数"},
                                       {"每秒请求数", "并行请求数"}};
    for (const QStringList &block : blocks) {
        const qreal first = colonX(block.first());
        for (const QString &label : block)
            EXPECT_NEAR(colonX(label), first, 0.5) << label.toStdString() << " beside " << block.first().toStdString();
    }
}
