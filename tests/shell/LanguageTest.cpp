// The shell's language tables against the shipped files, and switching the language.
#include "ShellFixture.h"

#include "platform/LanguageFile.h"
#include "platform/SettingsKey.h"
#include "shell/LanguageMenu.h"
#include "shell/ShellTexts.h"
#include "shell/TaskListView.h"
#include "shell/TfrmAbout.h"
#include "shell/TfrmGroup.h"
#include "shell/TfrmOption.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace shelltest;
using platform::TextEntry;

namespace {

struct Table {
    const char *name;
    std::span<const TextEntry> entries;
};

std::vector<Table> allTables()
{
    namespace t = shell::texts;
    return {{"main", t::mainWindow()},     {"headings", t::taskListHeadings()}, {"group", t::groupDialog()},
            {"option", t::optionDialog()}, {"close", t::closeChoices()},        {"about", t::aboutBox()}};
}

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

// What a control shows as its caption, whatever kind of control it is.
QString captionOf(QWidget *window, const TextEntry &entry)
{
    const QString key = s(entry.key);
    if (key == "Title")
        return window->windowTitle();
    const QString name = entry.control ? s(entry.control) : key.section('.', 0, 0);
    QObject *target = window->findChild<QObject *>(name);
    if (auto *action = qobject_cast<QAction *>(target))
        return action->text();
    if (auto *menu = qobject_cast<QMenu *>(target))
        return menu->title();
    if (auto *button = qobject_cast<QAbstractButton *>(target))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(target))
        return label->text();
    if (auto *group = qobject_cast<QGroupBox *>(target))
        return group->title();
    if (auto *page = qobject_cast<QWidget *>(target)) {
        for (QTabWidget *tabs : window->findChildren<QTabWidget *>())
            if (tabs->indexOf(page) >= 0)
                return tabs->tabText(tabs->indexOf(page));
    }
    return "<no control " + name + ">";
}

// A language file that gives every entry of the tables a recognisable text.
QByteArray markedFile(const std::vector<Table> &tables)
{
    QByteArray content;
    QString section;
    for (const Table &table : tables)
        for (const TextEntry &entry : table.entries)
            content += QString("[%1]\n%2=<%1/%2>\n").arg(s(entry.section), s(entry.key)).toUtf8();
    return content;
}

class LanguageTest : public ::testing::Test, public ShellFixture {
protected:
    QString heading(int column) { return child<shell::TaskListView>(&window(), "lvwTask")->heading(column); }
};

TEST_F(LanguageTest, EnglishFileHoldsEveryTableEntryWithItsBuiltInText)
{
    const platform::LanguageFile english = platform::LanguageFile::load(dir.filePath("Language/English.ini"));
    ASSERT_FALSE(english.isEmpty());
    for (const Table &table : allTables())
        for (const TextEntry &entry : table.entries)
            EXPECT_EQ(english.text(s(entry.section), s(entry.key), "<missing>"), s(entry.builtIn))
                << table.name << ": [" << entry.section << "] " << entry.key;
}

TEST_F(LanguageTest, ShippedLanguagesGiveEveryKeyOfTheEnglishFile)
{
    const QByteArray english = dir.readFile("Language/English.ini");
    const platform::LanguageFile chinese = platform::LanguageFile::load(dir.filePath("Language/简体中文.ini"));
    QString section;
    int keys = 0;
    for (const QByteArray &raw : english.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith('['))
            section = line.mid(1, line.indexOf(']') - 1);
        else if (line.contains('=') && !line.startsWith(';')) {
            const QString key = line.section('=', 0, 0);
            EXPECT_NE(chinese.text(section, key, "<missing>"), "<missing>")
                << section.toStdString() << " " << key.toStdString();
            ++keys;
        }
    }
    EXPECT_GT(keys, 150);
}

TEST_F(LanguageTest, MainWindowShowsBuiltInTextsThenAFileThatSetsEveryEntry)
{
    // A file in the language directory that names a nonexistent language file.
    ASSERT_TRUE(dir.writeFile("Language/Marked.ini", markedFile(allTables())));
    makeWindow();
    for (const TextEntry &entry : shell::texts::mainWindow())
        EXPECT_EQ(captionOf(&window(), entry), s(entry.builtIn)) << entry.key;
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(heading(column), s(shell::texts::taskListHeadings()[size_t(column)].builtIn));

    QAction *marked = languageItem(window(), "Marked");
    ASSERT_NE(marked, nullptr);
    marked->trigger();
    EXPECT_TRUE(marked->isChecked());
    EXPECT_EQ(platform::Language::currentName(), "Marked");
    for (const TextEntry &entry : shell::texts::mainWindow())
        EXPECT_EQ(captionOf(&window(), entry), QString("<%1/%2>").arg(s(entry.section), s(entry.key))) << entry.key;
    EXPECT_EQ(heading(2), "<lvwTask_Column/Column3.Caption>");
    EXPECT_EQ(child<QMenu>(&window(), "mnuLanguage")->title(), "<Menu/mnuLanguage.Caption>");
    EXPECT_EQ(child<QAction>(&window(), "pmuTaskView")->text(), "<PopupMenu2/pmuTaskView.Caption>");
}

TEST_F(LanguageTest, PartialFileKeyCaseAndOtherExtensions)
{
    ASSERT_TRUE(dir.writeFile("Language/Partial.ini",
                              "[menu]\nMNUFILE.caption=Fichier\n[PopupMemu4]\npmuExit.Caption=Quitter\n"));
    ASSERT_TRUE(dir.writeFile("Language/Notes.txt", "[Menu]\nmnuFile.Caption=never read\n"));
    makeWindow();
    QStringList items;
    for (QAction *item : child<QMenu>(&window(), "mnuLanguage")->actions())
        items << item->text();
    items.sort();
    EXPECT_EQ(items, QStringList({"English", "Notes", "Partial", "简体中文"}));

    window().applyLanguage("Partial");
    EXPECT_EQ(child<QMenu>(&window(), "mnuFile")->title(), "Fichier");
    EXPECT_EQ(child<QAction>(&window(), "pmuExit")->text(), "Quitter");
    EXPECT_EQ(child<QMenu>(&window(), "mnuView")->title(), "&View");

    window().applyLanguage("Notes"); // reads Notes.ini, which does not exist
    EXPECT_EQ(child<QMenu>(&window(), "mnuFile")->title(), "&File");
}

TEST_F(LanguageTest, AChoiceThatCannotBeStoredIsAppliedAndReported)
{
    ASSERT_TRUE(dir.writeFile("Language/Partial.ini", "[Menu]\nmnuFile.Caption=Fichier\n"));
    ASSERT_TRUE(dir.writeFile("blocker", "x"));
    makeWindow();
    platform::SettingsKey::setRoot(dir.filePath("blocker/settings")); // below a plain file
    for (QAction *item : child<QMenu>(&window(), "mnuLanguage")->actions())
        if (item->text() == "Partial")
            item->trigger();
    EXPECT_EQ(child<QMenu>(&window(), "mnuFile")->title(), "Fichier");
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().last().icon, platform::MessageIcon::Error);
    EXPECT_EQ(platform::Language::currentName(), "English"); // the key cannot be read either
}

TEST_F(LanguageTest, FirstStartChecksEnglishAndCreatesTheKeyWithoutAValue)
{
    ASSERT_FALSE(platform::SettingsKey::exists(platform::Language::kKeyName));
    makeWindow();
    auto checked = [this] {
        QStringList result;
        for (QAction *item : child<QMenu>(&window(), "mnuLanguage")->actions())
            if (item->isChecked())
                result << item->text();
        return result;
    };
    EXPECT_EQ(checked(), QStringList({"English"}));
    EXPECT_TRUE(platform::SettingsKey::exists(platform::Language::kKeyName));
    makeWindow(); // the next start: the key exists without a value
    EXPECT_TRUE(checked().isEmpty());
    EXPECT_EQ(child<QMenu>(&window(), "mnuFile")->title(), "&File");
}

TEST_F(LanguageTest, DialogsApplyTheCurrentLanguageEachTimeTheyAreShown)
{
    ASSERT_TRUE(dir.writeFile("Language/Marked.ini", markedFile(allTables())));
    shell::TfrmGroup group(shell::TfrmGroup::Mode::Add, "1", QString(), {});
    shell::TfrmOption options;
    group.show();
    options.show();
    for (const TextEntry &entry : shell::texts::groupDialog())
        EXPECT_EQ(captionOf(&group, entry), s(entry.builtIn)) << entry.key;
    for (const TextEntry &entry : shell::texts::optionDialog())
        EXPECT_EQ(captionOf(&options, entry), s(entry.builtIn)) << entry.key;
    group.hide();
    options.hide();

    ASSERT_TRUE(platform::Language::setCurrentName("Marked"));
    group.show();
    options.show();
    for (const TextEntry &entry : shell::texts::groupDialog())
        EXPECT_EQ(captionOf(&group, entry), QString("<%1/%2>").arg(s(entry.section), s(entry.key))) << entry.key;
    for (const TextEntry &entry : shell::texts::optionDialog())
        EXPECT_EQ(captionOf(&options, entry), QString("<%1/%2>").arg(s(entry.section), s(entry.key))) << entry.key;
    EXPECT_EQ(child<QAbstractButton>(&options, "RadioGroupCloseItem2")->text(), "<frmOption/RadioGroupClose.Item2>");
    shell::TfrmAbout about;
    EXPECT_EQ(about.windowTitle(), "<frmAbout/Title>");
}

// Qt's own texts, as the edit menu of a text field, follow the language chosen in the menu.
TEST_F(LanguageTest, QtsOwnTextsFollowTheLanguageMenu)
{
    makeWindow();
    shell::TfrmGroup group(shell::TfrmGroup::Mode::Add, "1", QString(), {});
    const auto undoInMenuOf = [&group] {
        std::unique_ptr<QMenu> menu(child<QLineEdit>(&group, "edtName")->createStandardContextMenu());
        // Its first item undoes.
        return menu->actions().isEmpty() ? QString("<empty menu>") : menu->actions().first()->text();
    };
    EXPECT_TRUE(undoInMenuOf().startsWith("&Undo")) << undoInMenuOf().toStdString();
    QAction *chinese = languageItem(window(), "简体中文");
    ASSERT_NE(chinese, nullptr);
    chinese->trigger();
    EXPECT_TRUE(undoInMenuOf().startsWith("撤消(&U)")) << undoInMenuOf().toStdString();
    languageItem(window(), "English")->trigger();
    EXPECT_TRUE(undoInMenuOf().startsWith("&Undo")) << undoInMenuOf().toStdString();
}

} // namespace
