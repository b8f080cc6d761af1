#include "platform/Language.h"
#include "platform/SettingsKey.h"
#include "support/TempProgramDir.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

using platform::Language;
using platform::LanguageFile;

TEST(LanguageFile, MatchesSectionsAndKeysWithoutCaseAndKeepsValues)
{
    const LanguageFile file = LanguageFile::parse(
        "[frmTask]\r\nlblTaskID.Caption=&Task ID\r\n; comment\r\nLBLNAME.caption = Name = x \r\n"
        "lblTaskID.Caption=second\r\n[Other]\r\nlblTaskID.Caption=other\r\n");
    EXPECT_EQ(file.text("FRMTASK", "lbltaskid.CAPTION", "d"), QStringLiteral("&Task ID"));
    EXPECT_EQ(file.text("frmTask", "lblName.Caption", "d"), QStringLiteral("Name = x"));
    EXPECT_EQ(file.text("Other", "lblTaskID.Caption", "d"), QStringLiteral("other"));
    EXPECT_EQ(file.text("frmTask", "missing", "built-in"), QStringLiteral("built-in"));
    EXPECT_EQ(file.text("Nowhere", "lblTaskID.Caption", "built-in"), QStringLiteral("built-in"));
}

TEST(Language, CurrentNameFollowsTheKey)
{
    testsupport::TempProgramDir dir;
    EXPECT_EQ(Language::currentName(), QStringLiteral("English")); // no key at all
    ASSERT_TRUE(platform::SettingsKey::open(Language::kKeyName, true));
    EXPECT_EQ(Language::currentName(), QString()); // key without the value
    ASSERT_TRUE(Language::setCurrentName(QStringLiteral("Deutsch")));
    EXPECT_EQ(Language::currentName(), QStringLiteral("Deutsch"));
}

TEST(Language, AppliesFileTextsAndBuiltInsByControlName)
{
    testsupport::TempProgramDir dir;
    ASSERT_TRUE(dir.writeFile("Language/Test.ini",
                              "[frmX]\nTitle=Fenster\nbtnGo.Caption=Los\nmnuFile.Caption=&Datei\n"
                              "Page.Caption=Seite\n"));
    ASSERT_TRUE(Language::setCurrentName(QStringLiteral("Test")));

    QWidget window;
    auto *button = new QPushButton(&window);
    button->setObjectName("btnGo");
    auto *label = new QLabel(&window);
    label->setObjectName("lblOther");
    auto *menu = new QMenu(&window);
    menu->setObjectName("mnuFile");
    auto *tabs = new QTabWidget(&window);
    auto *page = new QWidget;
    page->setObjectName("TabSheet1");
    tabs->addTab(page, "design");
    auto *action = new QAction(&window);
    action->setObjectName("mnuExit");

    const platform::TextEntry entries[] = {
        {"frmX", "Title", "Window"},
        {"frmX", "btnGo.Caption", "Go"},
        {"frmX", "lblOther.Caption", "Other"},
        {"frmX", "mnuFile.Caption", "&File"},
        {"frmX", "Page.Caption", "Page", "TabSheet1"},
        {"frmX", "mnuExit.Caption", "Exit"},
    };
    Language::apply(&window, entries);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Fenster"));
    EXPECT_EQ(button->text(), QStringLiteral("Los"));
    EXPECT_EQ(label->text(), QStringLiteral("Other"));
    EXPECT_EQ(menu->title(), QStringLiteral("&Datei"));
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Seite"));
    EXPECT_EQ(action->text(), QStringLiteral("Exit"));
}
