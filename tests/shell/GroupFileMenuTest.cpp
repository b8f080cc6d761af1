// File → Export Group... and Import Group... in the main window.
#include "ShellFixture.h"

#include "dictmanager/QtPrinters.h"
#include "shell/ExampleTasks.h"
#include "shell/TaskListView.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace shelltest;

namespace {
class GroupFileMenuTest : public ::testing::Test, public ShellFixture {
protected:
    QTreeWidget *tree() { return child<QTreeWidget>(&window(), "treTaskGroup"); }
    void trigger(const char *name) { child<QAction>(&window(), name)->trigger(); }
    static qsizetype exampleCount() { return shell::ExampleTasks::tasks(shell::ExampleEndpoint::demoServer()).size(); }
    QStringList groupNodes()
    {
        QStringList names;
        QTreeWidgetItem *root = tree()->topLevelItem(0);
        for (int i = 0; root && i < root->childCount(); ++i)
            names << root->child(i)->text(0);
        return names;
    }
    void selectNode(const QString &name)
    {
        const QList<QTreeWidgetItem *> found = tree()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1);
        tree()->setCurrentItem(found.first());
    }
    QStringList listedNames()
    {
        auto *list = child<shell::TaskListView>(&window(), "lvwTask");
        QStringList names;
        for (int i = 0; i < list->rowCount(); ++i)
            names << list->row(i).taskName;
        names.sort();
        return names;
    }
    QTemporaryDir files;
};
} // namespace

TEST_F(GroupFileMenuTest, ExportThenImportAddsCopiesBesideTheOriginals)
{
    makeWindow();
    QList<QAction *> fileItems = window().ui().mnuFile->actions();
    const qsizetype exit = fileItems.indexOf(window().ui().mnuExit);
    ASSERT_GE(exit, 3);
    EXPECT_EQ(fileItems[exit - 3]->objectName(), "mnuGroupExport");
    EXPECT_EQ(fileItems[exit - 2]->objectName(), "mnuGroupImport");

    trigger("mnuLoadExamples");
    selectNode("Examples");
    const QStringList examples = listedNames();
    ASSERT_EQ(examples.size(), exampleCount());

    const QString path = files.filePath("examples.pellion-group");
    dialogs.queueFileName(path);
    trigger("mnuGroupExport");
    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.lastMessageText().toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.startsWith("# Pellion task group\nformat 1\ngroup \"Examples\"\n")) << text.constData();
    EXPECT_TRUE(text.contains("task \"EAP-SIM\"\n"));

    dialogs.queueFileName(path);
    trigger("mnuGroupImport");
    EXPECT_EQ(dialogs.lastMessageText(),
              QString("%1 task(s) imported into the group \"Examples\".").arg(exampleCount()));
    EXPECT_EQ(groupNodes(), QStringList{"Examples"});
    QStringList expected = examples;
    for (const QString &name : examples)
        expected << name + " (2)";
    expected.sort();
    // The refilled tree chooses "All Tasks": its list shows the copies without another click.
    EXPECT_EQ(tree()->currentItem(), tree()->topLevelItem(0));
    EXPECT_EQ(listedNames(), expected);
    selectNode("Examples");
    EXPECT_EQ(listedNames(), expected);
}

TEST_F(GroupFileMenuTest, ExportAsksForAGroupAndImportSaysWhichLineIsWrong)
{
    makeWindow();
    trigger("mnuLoadExamples");
    selectNode("All Tasks");
    trigger("mnuGroupExport");
    EXPECT_EQ(dialogs.fileRequestCount(), 0);
    EXPECT_EQ(dialogs.lastMessageText(), "Please select a task group.");

    const QString path = files.filePath("broken.pellion-group");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("format 1\ngroup \"New\"\ntask \"fine\"\nend\ntask \"broken\"\n  Port many\nend\n");
    file.close();
    dialogs.queueFileName(path);
    trigger("mnuGroupImport");
    EXPECT_EQ(dialogs.lastMessageText(),
              "Nothing was imported from \"" + path + "\": line 6: Port must be a whole number from 0 to 65535");
    EXPECT_EQ(groupNodes(), QStringList{"Examples"});
    selectNode("Examples");
    EXPECT_EQ(listedNames().size(), exampleCount());
}

TEST_F(GroupFileMenuTest, TheMenuItemsSpeakTheChosenLanguage)
{
    makeWindow();
    window().applyLanguage(QString::fromUtf8("\xE7\xAE\x80\xE4\xBD\x93\xE4\xB8\xAD\xE6\x96\x87"));
    EXPECT_EQ(child<QAction>(&window(), "mnuGroupExport")->text(),
              QString::fromUtf8("\xE5\xAF\xBC\xE5\x87\xBA\xE4\xBB\xBB\xE5\x8A\xA1\xE7\xBB\x84..."));
    EXPECT_EQ(child<QAction>(&window(), "mnuGroupImport")->text(),
              QString::fromUtf8("\xE5\xAF\xBC\xE5\x85\xA5\xE4\xBB\xBB\xE5\x8A\xA1\xE7\xBB\x84..."));
}
