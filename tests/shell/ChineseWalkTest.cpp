// Every window and dialog of Pellion and Glossor in Chinese: a visible text left in English
// fails, named with its control.
#include "ShellFixture.h"

#include "decoder/TfrmDecodePacket.h"
#include "dictmanager/AttributeEdit.h"
#include "dictmanager/DictionaryManager.h"
#include "dictmanager/TfrmAttr.h"
#include "dictmanager/TfrmMain.h"
#include "dictmanager/TfrmVendor.h"
#include "execution/LogPane.h"
#include "execution/PageCtrlLog.h"
#include "history/RunSamples.h"
#include "history/TfrmRunHistory.h"
#include "platform/Language.h"
#include "radius/Dictionary.h"
#include "radius/DictionaryFileReader.h"
#include "reports/TfrmViewTask.h"
#include "scheduling/TfrmTaskSchedule.h"
#include "shell/FindDialog.h"
#include "shell/TaskListView.h"
#include "shell/TfrmAbout.h"
#include "shell/TfrmGroup.h"
#include "shell/TfrmOption.h"
#include "taskdef/TfrmPackage.h"
#include "taskdef/TfrmServer.h"
#include "taskdef/TfrmTask.h"
#include "taskstore/Connection.h"
#include "taskstore/Expectation.h"
#include "taskstore/RunHistoryStore.h"

#include <QAbstractBarSeries>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace shelltest;

namespace {

// Words that stay as they are in every language: product and protocol names, units, the
// dictionary file's keywords and data types (written into files exactly so), and the
// vendor of the file format's example.
const QStringList kKeptWords = {
    "Pellion",
    "Glossor",
    "RADIUS",
    "FreeRADIUS",
    "PAP",
    "CHAP",
    "EAP",
    "MD5",
    "SIM",
    "UDP",
    "TCP",
    "TLS",
    "IP",
    "IPv4",
    "IPv6",
    "ID",
    "KB",
    "VENDOR",
    "BEGIN",
    "END",
    "ATTRIBUTE",
    "VALUE",
    "string",
    "integer",
    "ipaddr",
    "date",
    "abinary",
    "octets",
    "ifid",
    "ipv6addr",
    "ipv6prefix",
    "byte",
    "short",
    "signed",
    "integer64",
    "ether",
    "ipv4prefix",
    "combo",
    "ip",
    "tlv",
    "Microsoft",
    // RadSec and its certificate authority; packet kinds written after a shared prefix
    // ("Access-Accept, -Reject and -Challenge").
    "RadSec",
    "CA",
    "Reject",
    "Challenge",
    // The run history's file format and its percentiles' notation.
    "CSV",
    "p50",
    "p95",
    "p99",
    // The enterprise modes' names in the mode list.
    "PEAP",
};

// The English left in a text: its words of two or more letters that are not kept words.
QStringList englishWords(const QString &shown)
{
    QString text = shown;
    text.remove(QLatin1Char('&'));
    // Data, not words: paths, file patterns, mail addresses, links, sample values with '#',
    // key chords, and dictionary names (words joined by '-', as User-Name).
    static const QRegularExpression data(
        QStringLiteral("\\S*[/\\\\]\\S*|\\*\\.\\w+|[\\w.+-]+@[\\w.-]+|https?:\\S+|\\S*#\\S*|\\b(Ctrl|Shift|Alt)\\+\\w+"
                       "|\\b[A-Za-z0-9]+(-[A-Za-z0-9]+)+\\b|\\b0x[0-9A-Fa-f]+\\b"));
    text.remove(data);
    QStringList words;
    static const QRegularExpression word(QStringLiteral("[A-Za-z][A-Za-z0-9]+"));
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const QString w = it.next().captured();
        if (!kKeptWords.contains(w))
            words << w;
    }
    return words;
}

// Collects what a window shows, control by control, with every page of its tab widgets
// brought to the front in turn.
class ShownTexts {
public:
    ShownTexts(QWidget *window, QStringList dataControls) : m_window(window), m_data(std::move(dataControls)) {}

    QStringList english()
    {
        add(m_window, m_window->windowTitle());
        for (QTabWidget *tabs : m_window->findChildren<QTabWidget *>())
            for (int i = 0; i < tabs->count(); ++i)
                add(tabs, tabs->tabText(i));
        collectVisible();
        // Each page of each stack (tab pages and notebooks) in turn, the others as they are.
        for (QStackedWidget *pages : m_window->findChildren<QStackedWidget *>()) {
            const int shown = pages->currentIndex();
            for (int i = 0; i < pages->count(); ++i) {
                pages->setCurrentIndex(i);
                collectVisible();
            }
            pages->setCurrentIndex(shown);
        }
        for (QMenu *menu : m_window->findChildren<QMenu *>())
            addMenu(menu);
        if (auto *bar = m_window->findChild<QMenuBar *>())
            for (QAction *action : bar->actions())
                add(bar, action->text());
        m_found.removeDuplicates();
        return m_found;
    }

private:
    // Within a control holding data, only its headings are the program's texts.
    bool isData(const QWidget *widget) const
    {
        for (const QWidget *w = widget; w && w != m_window; w = w->parentWidget())
            if (m_data.contains(w->objectName()))
                return true;
        return false;
    }

    void collectVisible()
    {
        for (QWidget *w : m_window->findChildren<QWidget *>()) {
            if (!w->isVisibleTo(m_window))
                continue;
            if (qobject_cast<QHeaderView *>(w))
                continue; // its view names its headings
            if (auto *view = qobject_cast<QAbstractItemView *>(w)) {
                addView(view);
                continue;
            }
            if (isData(w))
                continue;
            if (auto *label = qobject_cast<QLabel *>(w))
                add(w,
                    Qt::mightBeRichText(label->text()) ? QTextDocumentFragment::fromHtml(label->text()).toPlainText()
                                                       : label->text());
            else if (auto *button = qobject_cast<QAbstractButton *>(w))
                add(w, button->text());
            else if (auto *group = qobject_cast<QGroupBox *>(w))
                add(w, group->title());
            else if (auto *box = qobject_cast<QComboBox *>(w)) {
                for (int i = 0; i < box->count(); ++i)
                    add(w, box->itemText(i));
            } else if (auto *field = qobject_cast<QLineEdit *>(w))
                add(w, field->placeholderText());
            else if (auto *text = qobject_cast<QPlainTextEdit *>(w)) {
                for (const QString &line : text->toPlainText().split(QLatin1Char('\n')))
                    add(w, line);
            } else if (auto *spin = qobject_cast<QAbstractSpinBox *>(w))
                add(w, spin->text());
            else if (auto *chart = qobject_cast<QChartView *>(w))
                addChart(chart);
        }
    }

    // A chart draws its texts itself: its title, its axes' titles and its series' names.
    void addChart(QChartView *view)
    {
        const QChart *chart = view->chart();
        add(view, chart->title());
        for (const QAbstractAxis *axis : chart->axes())
            add(view, axis->titleText());
        for (const QAbstractSeries *series : chart->series()) {
            add(view, series->name());
            if (const auto *bars = qobject_cast<const QAbstractBarSeries *>(series))
                for (const QBarSet *set : bars->barSets())
                    add(view, set->label());
        }
    }

    void addView(QAbstractItemView *view)
    {
        const QAbstractItemModel *model = view->model();
        if (!model || qobject_cast<QComboBox *>(view->parentWidget()))
            return;
        auto *header = view->findChild<QHeaderView *>();
        for (int c = 0; c < model->columnCount(); ++c)
            if (header && header->isVisibleTo(m_window) && !header->isSectionHidden(c))
                add(view, model->headerData(c, Qt::Horizontal).toString());
        if (!isData(view))
            addRows(view, model, {});
    }

    void addRows(QAbstractItemView *view, const QAbstractItemModel *model, const QModelIndex &parent)
    {
        for (int r = 0; r < model->rowCount(parent); ++r) {
            const QModelIndex first = model->index(r, 0, parent);
            for (int c = 0; c < model->columnCount(parent); ++c)
                add(view, model->index(r, c, parent).data().toString());
            addRows(view, model, first);
        }
    }

    void addMenu(QMenu *menu)
    {
        if (isData(menu))
            return;
        add(menu, menu->title());
        for (QAction *action : menu->actions())
            if (action->isVisible() && !action->isSeparator())
                add(menu, action->text());
    }

    void add(const QObject *where, const QString &text)
    {
        const QStringList words = englishWords(text);
        if (!words.isEmpty())
            m_found << QStringLiteral("%1: \"%2\"")
                           .arg(where->objectName().isEmpty() ? where->metaObject()->className() : where->objectName(),
                                text.left(120));
    }

    QWidget *m_window;
    QStringList m_data;
    QStringList m_found;
};

class ChineseWalk : public ::testing::Test, public ShellFixture {
protected:
    static void SetUpTestSuite()
    {
        const radius::Status loaded =
            radius::Dictionary::load(testsupport::TempProgramDir::sourceDataDir() + QStringLiteral("/dictionary"));
        ASSERT_TRUE(loaded.ok()) << loaded.error().toStdString();
    }

    void SetUp() override
    {
        ASSERT_TRUE(platform::Language::setCurrentName(QStringLiteral("简体中文")));
        ASSERT_TRUE(dir.writeFile("dictionary/userdefine/dictionary.Walk-Vendor",
                                  "VENDOR Walk-Vendor 64980\nBEGIN-VENDOR Walk-Vendor\n"
                                  "ATTRIBUTE Walk-Vendor-Mode 1 integer\nVALUE Walk-Vendor-Mode Fast 1\n"
                                  "END-VENDOR Walk-Vendor\n"));
        ASSERT_TRUE(dir.writeFile("dictionary/userdefine/dictionary", "$INCLUDE dictionary.Walk-Vendor\n"));
        // The user's own names and values in Chinese, as a Chinese user types them: what the
        // task view's pages show of them is then no English of the program's.
        ASSERT_TRUE(dir.writeFile("script/7.txt", "User-Name = 张三\r\nUser-Password = 密码\r\n\r\n"));
        addGroup(seedConnection(), "G1", "测试组");
        addTask(seedConnection(), "8", "手动任务", "G1", "127.0.0.1", 0);
        addTask(seedConnection(), "7", "认证任务", "G1", "127.0.0.1", 1, {QDateTime(QDate(2026, 12, 11), QTime(9, 0))});
        taskstore::RunRecord run = historytest::run(historytest::kMorning, 3, 1, 2.5, taskstore::Verdict::Fail);
        run.taskId = QStringLiteral("7");
        ASSERT_TRUE(taskstore::RunHistoryStore(seedConnection()).add(run).ok());
    }

    // Shows the window as a user would meet it and names every English text in it.
    QStringList englishIn(QWidget *window, const QStringList &dataControls = {})
    {
        window->show();
        return ShownTexts(window, dataControls).english();
    }

    radius::DictionaryCatalog catalog = radius::DictionaryFileReader::readProgramDictionary();
};

struct WindowCase {
    const char *name;
    // Controls whose texts are the user's values or the dictionary's names.
    QStringList dataControls;
    std::function<std::unique_ptr<QWidget>(ChineseWalk &)> open;
};

TEST_F(ChineseWalk, NoWindowShowsEnglish)
{
    shell::TfrmMain &main = makeWindow();
    taskstore::Connection connection(taskstore::Connection::defaultPath());
    dictmanager::DictionaryManager glossorData;
    glossorData.startUp();

    // The decoder with a packet and a secret typed in and Decode pressed.
    const auto decoded = [](const QString &packet, const QString &secret) {
        auto decoder = std::make_unique<decoder::TfrmDecodePacket>();
        child<QPlainTextEdit>(decoder.get(), "edtPacket")->setPlainText(packet);
        child<QLineEdit>(decoder.get(), "edtSecret")->setText(secret);
        child<QPushButton>(decoder.get(), "btnDecode")->click();
        EXPECT_FALSE(child<QPlainTextEdit>(decoder.get(), "memResult")->toPlainText().isEmpty());
        return std::unique_ptr<QWidget>(std::move(decoder));
    };
    const WindowCase cases[] = {
        {"task editor",
         {"edtTaskName", "edtTaskID", "cboServerIP", "lvwAttr", "trePackage", "cboExpPacket", "cboExpAttr"},
         [&](ChineseWalk &) {
             auto editor = std::make_unique<taskdef::TfrmTask>(connection, &catalog);
             EXPECT_TRUE(editor->loadTask("7"));
             return std::unique_ptr<QWidget>(std::move(editor));
         }},
        {"packet editor",
         {"cboVendor", "cboAttr", "cboValue", "lvwArrList"},
         [&](ChineseWalk &) { return std::unique_ptr<QWidget>(std::make_unique<taskdef::TfrmPackage>(&catalog)); }},
        {"schedule editor",
         {},
         [](ChineseWalk &) { return std::unique_ptr<QWidget>(std::make_unique<scheduling::TfrmTaskSchedule>()); }},
        {"options",
         {"edtLogFileName"},
         [](ChineseWalk &) { return std::unique_ptr<QWidget>(std::make_unique<shell::TfrmOption>()); }},
        {"server manager",
         {"lvwServer", "cboServerIP", "edtSecretKey"},
         [&](ChineseWalk &) { return std::unique_ptr<QWidget>(std::make_unique<taskdef::TfrmServer>(connection)); }},
        {"report and raw view",
         {},
         [&](ChineseWalk &) {
             return std::unique_ptr<QWidget>(std::make_unique<reports::TfrmViewTask>(connection, QStringLiteral("7")));
         }},
        {"task editor, TLS and a check on the reply",
         {"edtTaskName", "edtTaskID", "cboServerIP", "lvwAttr", "trePackage", "cboExpPacket", "cboExpAttr",
          "edtExpValue"},
         [&](ChineseWalk &) {
             auto editor = std::make_unique<taskdef::TfrmTask>(connection, &catalog);
             EXPECT_TRUE(editor->loadTask("7"));
             auto *transport = child<QComboBox>(editor.get(), "cboTransport");
             transport->setCurrentIndex(transport->count() - 1);
             auto *kind = child<QComboBox>(editor.get(), "cboExpCheck");
             kind->setCurrentIndex(kind->findData(int(taskstore::CheckOperator::Equals)));
             child<QComboBox>(editor.get(), "cboExpAttr")->setEditText("Reply-Message");
             child<QLineEdit>(editor.get(), "edtExpValue")->setText("欢迎");
             child<QPushButton>(editor.get(), "spbtnExpAdd")->click();
             EXPECT_EQ(child<QTreeWidget>(editor.get(), "lvwExpChecks")->topLevelItemCount(), 1);
             return std::unique_ptr<QWidget>(std::move(editor));
         }},
        {"run history",
         {},
         [&](ChineseWalk &) {
             auto history = std::make_unique<history::TfrmRunHistory>(connection, "7", "认证任务");
             EXPECT_TRUE(history->load());
             return std::unique_ptr<QWidget>(std::move(history));
         }},
        {"decode packet, a request decoded",
         {"edtPacket", "edtSecret", "edtRequest"},
         [&](ChineseWalk &) {
             // An Accounting-Request of User-Name 张三 and NAS-Port 1, signed with "testing123".
             return decoded("040700224523df1b58d33773ee41cb381e72abcb0108e5bca0e4b889050600000001", "testing123");
         }},
        {"decode packet, a faulty request without a secret",
         {"edtPacket", "edtSecret", "edtRequest"},
         [&](ChineseWalk &) {
             // An Access-Request without attributes and with two octets after its length.
             return decoded("01 07 00 14" + QString(" 00").repeated(16) + " 00 00", QString());
         }},
        {"decode packet, a digit that is no hexadecimal",
         {"edtPacket", "edtSecret", "edtRequest"},
         [&](ChineseWalk &) { return decoded("01 0g", QString()); }},
        {"about", {}, [](ChineseWalk &) { return std::unique_ptr<QWidget>(std::make_unique<shell::TfrmAbout>()); }},
        {"group",
         {"edtGroupName"},
         [](ChineseWalk &) {
             return std::unique_ptr<QWidget>(std::make_unique<shell::TfrmGroup>(
                 shell::TfrmGroup::Mode::Add, QString(), QString(), [](const QString &) { return true; }));
         }},
        {"find", {}, [](ChineseWalk &) { return std::unique_ptr<QWidget>(std::make_unique<shell::FindDialog>()); }},
        {"Glossor",
         {"lvwAttrList"},
         [](ChineseWalk &) { return std::unique_ptr<QWidget>(std::make_unique<dictmanager::TfrmMain>()); }},
        {"Glossor vendor",
         {},
         [&](ChineseWalk &) {
             return std::unique_ptr<QWidget>(std::make_unique<dictmanager::TfrmVendor>(glossorData));
         }},
        {"Glossor attribute",
         {},
         [&](ChineseWalk &) {
             return std::unique_ptr<QWidget>(
                 std::make_unique<dictmanager::TfrmAttr>(glossorData.model(), dictmanager::AttributeEdit::forAdd()));
         }},
    };

    // The language menu names each language in its own words.
    const QStringList inMain = englishIn(&main, {"lvwTask", "mnuLanguage"});
    EXPECT_TRUE(inMain.isEmpty()) << "main window:\n  " << inMain.join("\n  ").toStdString();
    // What the tool buttons say on hovering: the tool tip and the status bar's line.
    for (const QToolButton *button : main.findChildren<QToolButton *>()) {
        for (const QString &hint : {button->toolTip(), button->statusTip()})
            EXPECT_TRUE(englishWords(hint).isEmpty())
                << button->objectName().toStdString() << ": " << hint.toStdString();
    }
    EXPECT_TRUE(englishWords(child<QMenu>(&main, "mnuLanguage")->menuAction()->statusTip()).isEmpty());
    // The task list holds the user's names and times; what it says of a task run by hand is its own.
    auto *tasks = child<shell::TaskListView>(&main, "lvwTask");
    bool manualListed = false;
    for (int i = 0; i < tasks->rowCount(); ++i) {
        if (tasks->row(i).taskName != "手动任务")
            continue;
        manualListed = true;
        EXPECT_TRUE(englishWords(tasks->row(i).nextRunTime).isEmpty()) << tasks->row(i).nextRunTime.toStdString();
    }
    EXPECT_TRUE(manualListed);
    for (const WindowCase &c : cases) {
        std::unique_ptr<QWidget> window = c.open(*this);
        const QStringList english = englishIn(window.get(), c.dataControls);
        EXPECT_TRUE(english.isEmpty()) << c.name << ":\n  " << english.join("\n  ").toStdString();
    }
}

// The walk itself: English left in a window is named with its control, and data is not.
TEST_F(ChineseWalk, NamesTheControlAndTheEnglishTextItFinds)
{
    ASSERT_TRUE(platform::Language::setCurrentName(QStringLiteral("English")));
    taskdef::TfrmPackage editor(&catalog);
    const QStringList english = englishIn(&editor, {"cboVendor", "cboAttr", "cboValue"});
    EXPECT_TRUE(english.contains("lblVendor: \"Vendor:\"")) << english.join("\n").toStdString();
    EXPECT_TRUE(english.contains("spbtnAdd: \"&Add\"")) << english.join("\n").toStdString();
    for (const QString &found : english)
        EXPECT_FALSE(found.startsWith("cboVendor") || found.contains("Walk-Vendor")) << found.toStdString();
    // A chart's texts are drawn, not shown by controls: the walk reads them from the chart.
    taskstore::Connection connection(taskstore::Connection::defaultPath());
    history::TfrmRunHistory runs(connection, "7", "认证任务");
    ASSERT_TRUE(runs.load());
    const QStringList inHistory = englishIn(&runs);
    EXPECT_TRUE(inHistory.contains("chtRuns: \"requests\"")) << inHistory.join("\n").toStdString();
    EXPECT_TRUE(inHistory.contains("chtRuns: \"approved\"")) << inHistory.join("\n").toStdString();
    EXPECT_EQ(englishWords("User-Name 与 /tmp/x.txt 和 abc#123、Ctrl+Delete、RADIUS、0x0a1B"), QStringList());
    EXPECT_EQ(englishWords("请输入 Name"), QStringList({"Name"}));
}

// Messages a user meets while filling the windows in, by the steps that raise them.
TEST_F(ChineseWalk, MessagesOfTheFormsAreChinese)
{
    shell::TfrmMain &main = makeWindow();
    dictmanager::DictionaryManager glossorData;
    glossorData.startUp();
    struct MessageCase {
        const char *name;
        std::function<void()> steps;
    };
    taskstore::Connection connection(taskstore::Connection::defaultPath());
    const auto taskEditor = [&] {
        auto editor = std::make_unique<taskdef::TfrmTask>(connection, &catalog);
        EXPECT_TRUE(editor->loadTask("7"));
        editor->show();
        return editor;
    };
    // Shows the window as a user meets it and clicks its button.
    const auto press = [](QWidget &window, const char *button) {
        window.show();
        child<QPushButton>(&window, button)->click();
    };
    const MessageCase cases[] = {
        {"task editor without a name",
         [&] {
             auto editor = taskEditor();
             child<QLineEdit>(editor.get(), "edtTaskName")->clear();
             press(*editor, "spbtnOK");
         }},
        {"task editor with a port that is no number",
         [&] {
             auto editor = taskEditor();
             child<QComboBox>(editor.get(), "cboPort")->setEditText("x");
             press(*editor, "spbtnOK");
         }},
        {"task editor removing a packet",
         [&] {
             auto editor = taskEditor();
             auto *packets = child<QTreeWidget>(editor.get(), "trePackage");
             packets->setCurrentItem(packets->topLevelItem(0)->child(0));
             press(*editor, "spbtnRemove");
         }},
        {"task editor clearing the packets", [&] { press(*taskEditor(), "spbtnClear"); }},
        {"task editor of a task that is gone",
         [&] { EXPECT_FALSE(taskdef::TfrmTask(connection, &catalog).loadTask("404")); }},
        {"server manager without an address",
         [&] {
             taskdef::TfrmServer servers(connection);
             press(servers, "spbtnAdd");
         }},
        {"options without a log file name",
         [&] {
             shell::TfrmOption options;
             options.show();
             child<QLineEdit>(&options, "edtLogFileName")->clear();
             press(options, "BitBtnOK");
         }},
        {"packet editor without rows",
         [&] {
             taskdef::TfrmPackage editor(&catalog);
             press(editor, "spbtnOK");
         }},
        {"packet editor clearing its rows",
         [&] {
             taskdef::TfrmPackage editor(&catalog);
             editor.setPacket("Packet1", taskdef::PacketEditMode::Modify, {{"User-Name", "bob", "1", "Packet1"}});
             editor.show();
             press(editor, "spbtnClear");
         }},
        {"packet editor without an attribute",
         [&] {
             taskdef::TfrmPackage editor(&catalog);
             press(editor, "spbtnAdd");
         }},
        {"packet editor without a value",
         [&] {
             taskdef::TfrmPackage editor(&catalog);
             editor.show();
             child<QComboBox>(&editor, "cboAttr")->setEditText("User-Name");
             press(editor, "spbtnAdd");
         }},
        {"main window deleting a task",
         [&] {
             child<shell::TaskListView>(&main, "lvwTask")->selectRow(0);
             child<QAction>(&main, "mnuTaskDel")->trigger();
         }},
        {"main window deleting a group",
         [&] {
             auto *groups = child<QTreeWidget>(&main, "treTaskGroup");
             groups->setCurrentItem(groups->topLevelItem(0)->child(0));
             child<QAction>(&main, "mnuGroupDel")->trigger();
         }},
        {"group dialog without a name",
         [&] {
             shell::TfrmGroup dialog(shell::TfrmGroup::Mode::Add, {}, {}, [](const QString &) { return true; });
             auto *name = child<QLineEdit>(&dialog, "edtName");
             EXPECT_TRUE(englishWords(name->text()).isEmpty()) << "a new group's name: " << name->text().toStdString();
             name->clear();
             press(dialog, "spbtnOK");
         }},
        {"Glossor vendor without a name",
         [&] {
             dictmanager::TfrmVendor dialog(glossorData);
             press(dialog, "btnOK");
         }},
        {"Glossor attribute without a vendor",
         [] {
             dictmanager::TfrmMain glossor;
             glossor.show();
             child<QAction>(&glossor, "pmAdd")->trigger();
         }},
    };
    for (const MessageCase &c : cases) {
        dialogs.clear();
        c.steps();
        ASSERT_FALSE(dialogs.messages().isEmpty()) << c.name << ": no message";
        for (const QString &text : dialogs.messageTexts())
            EXPECT_TRUE(englishWords(text).isEmpty()) << c.name << ": \"" << text.toStdString() << "\"";
    }

    // The log's Save As asks for a file in Chinese too.
    dialogs.clear();
    child<execution::LogPane>(&main, "RichEditLog")->appendLine(QStringLiteral("Info: 一"), Qt::black);
    child<QAction>(&main, "pmuSaveAs")->trigger();
    ASSERT_EQ(dialogs.fileRequests().size(), 1);
    for (const QString &text : {dialogs.fileRequests()[0].title, dialogs.fileRequests()[0].filter})
        EXPECT_TRUE(englishWords(text).isEmpty()) << text.toStdString();

    // A run's page is named in Chinese.
    auto *pages = child<execution::PageCtrlLog>(&main, "PageCtrlLog");
    pages->openRunPage(QStringLiteral("认证任务"));
    EXPECT_TRUE(englishWords(pages->tabText(pages->count() - 1)).isEmpty())
        << pages->tabText(pages->count() - 1).toStdString();
}

} // namespace
