#include "TfrmTestSupport.h"

#include "platform/ScriptedDialogService.h"
#include "support/TempProgramDir.h"
#include "taskdef/TfrmServer.h"
#include "taskstore/Connection.h"
#include "taskstore/Query.h"

#include <QLineEdit>
#include <QPointer>
#include <QTreeWidget>

using namespace formtest;
using platform::Answer;

namespace {

class ServerManager : public ::testing::Test {
protected:
    testsupport::TempProgramDir dir;
    taskstore::Connection db{taskstore::Connection::defaultPath()};
    platform::ScriptedDialogService dialogs;

    std::unique_ptr<taskdef::TfrmServer> open()
    {
        auto window = std::make_unique<taskdef::TfrmServer>(db);
        window->show();
        return window;
    }

    static void add(QWidget *window, const QString &ip, const QString &key)
    {
        child<QLineEdit>(window, "edtIP")->clear();
        child<QLineEdit>(window, "edtKey")->clear();
        QTest::keyClicks(child<QLineEdit>(window, "edtIP"), ip);
        QTest::keyClicks(child<QLineEdit>(window, "edtKey"), key);
        click(window, "spbtnAdd");
    }

    static QStringList column(QWidget *window, int column)
    {
        auto *list = child<QTreeWidget>(window, "lvwServer");
        QStringList texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts << list->topLevelItem(i)->text(column);
        return texts;
    }

    QStringList storedServers()
    {
        taskstore::Query query(db);
        taskstore::OpenQuery(query, "select ServerIP, SecretKey from Server order by ServerIP");
        QStringList rows;
        for (query.first(); !query.atEnd(); query.next())
            rows << query.asText("ServerIP") + "|" + query.asText("SecretKey");
        return rows;
    }
};

TEST_F(ServerManager, AddChecksStoresAndMasksSecrets)
{
    const QString secret32(32, 'k');
    {
        auto window = open();
        EXPECT_EQ(window->windowTitle(), "Server Manager");
        EXPECT_EQ(child<QTreeWidget>(window.get(), "lvwServer")->headerItem()->text(1), "Secret IP");
        EXPECT_FALSE(child<QWidget>(window.get(), "spbtnDelete")->isEnabled());

        add(window.get(), "", "x");
        add(window.get(), "   ", "x"); // blanks alone are no address
        add(window.get(), "127.0.0.1", secret32);
        EXPECT_TRUE(child<QLineEdit>(window.get(), "edtIP")->text().isEmpty());
        EXPECT_TRUE(child<QLineEdit>(window.get(), "edtKey")->text().isEmpty());
        add(window.get(), "127.0.0.1", "other");
        add(window.get(), " 127.0.0.1", "other"); // the same address with a blank
        add(window.get(), "::1", "short");
        EXPECT_EQ(dialogs.messageTexts(),
                  QStringList({"Server IP is empty!", "Server IP is empty!", "The Server IP has existed!",
                               "The Server IP has existed!"}));
        EXPECT_EQ(column(window.get(), 1), QStringList({"127.0.0.1", "::1"}));
        EXPECT_EQ(column(window.get(), 2), QStringList({QString(32, '*'), "*****"}));
    }
    EXPECT_EQ(storedServers(), QStringList({"127.0.0.1|" + secret32, "::1|short"}));

    auto reopened = open();
    EXPECT_EQ(column(reopened.get(), 2), QStringList({QString(30, '*'), "*****"}));
}

TEST_F(ServerManager, SelectionFillsFieldsAndDeleteAsksFirst)
{
    {
        auto window = open();
        add(window.get(), "127.0.0.1", "s3cret");
        add(window.get(), "::1", "other");
    }
    auto window = open();
    auto *list = child<QTreeWidget>(window.get(), "lvwServer");
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_EQ(child<QLineEdit>(window.get(), "edtIP")->text(), "127.0.0.1");
    EXPECT_EQ(child<QLineEdit>(window.get(), "edtKey")->text(), "s3cret");
    EXPECT_EQ(child<QLineEdit>(window.get(), "edtKey")->echoMode(), QLineEdit::Password);

    dialogs.queueAnswer(Answer::Cancel);
    click(window.get(), "spbtnDelete");
    EXPECT_EQ(dialogs.lastMessageText(), "Do you really want to delete the Server?");
    EXPECT_EQ(storedServers().size(), 2);

    dialogs.queueAnswer(Answer::Ok);
    click(window.get(), "spbtnDelete");
    EXPECT_EQ(column(window.get(), 1), QStringList({"::1"}));
    EXPECT_EQ(storedServers(), QStringList({"::1|other"}));
    EXPECT_TRUE(child<QLineEdit>(window.get(), "edtIP")->text().isEmpty());
}

TEST_F(ServerManager, RejectedInsertShowsTheErrorAndListsNothing)
{
    failInserts(db, "Server");
    auto window = open();
    add(window.get(), "127.0.0.1", "s3cret");
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.lastMessageText().contains("injected failure"));
    EXPECT_EQ(column(window.get(), 1), QStringList());
    // What was typed stays for another try.
    EXPECT_EQ(child<QLineEdit>(window.get(), "edtIP")->text(), "127.0.0.1");
}

TEST_F(ServerManager, OpenShowsWithoutBlockingAndFreesItselfOnExit)
{
    QWidget mainWindow;
    QPointer<taskdef::TfrmServer> window = taskdef::TfrmServer::open(db, &mainWindow);
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    click(window, "spbtnExit");
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); })); // its deferred deletion
}

} // namespace
